#include "base/media_file_kind.h"

#include <QFile>
#include <QFileInfo>
#include <vector>

namespace orvane {
namespace {

std::uint8_t byteAt(QByteArrayView head, qsizetype i) { return static_cast<std::uint8_t>(head[i]); }

// Every JPEG (JFIF, EXIF or plain) starts with the start-of-image marker
// followed by the next marker's 0xFF.
bool looksLikeJpeg(QByteArrayView head) {
    return head.size() >= 3 && byteAt(head, 0) == 0xFF && byteAt(head, 1) == 0xD8 &&
           byteAt(head, 2) == 0xFF;
}

// An ID3v2 tag ("ID3", version 2 to 4, a size of four 7-bit bytes) or an
// MPEG audio Layer III frame header: the 11-bit sync, a version and a
// sample rate that exist, a bitrate from the table. Layer III only, so the
// UTF-16 byte-order mark of a lyric file (FF FE, which reads as Layer I) is
// no song.
bool looksLikeMp3(QByteArrayView head) {
    if (head.size() >= 10 && head.first(3) == QByteArrayView("ID3")) {
        const int major = byteAt(head, 3);
        bool sizeOk = true;
        for (qsizetype i = 6; i < 10; ++i) sizeOk = sizeOk && byteAt(head, i) < 0x80;
        return major >= 2 && major <= 4 && byteAt(head, 4) != 0xFF && sizeOk;
    }
    if (head.size() < 4) return false;
    const std::uint8_t b1 = byteAt(head, 1);
    const std::uint8_t b2 = byteAt(head, 2);
    const int version = (b1 >> 3) & 3;  // 1 is reserved
    const int layer = (b1 >> 1) & 3;    // 1 is Layer III
    const int bitrate = b2 >> 4;        // 0 (free) and 15 (bad) are not taken
    const int rate = (b2 >> 2) & 3;     // 3 is reserved
    return byteAt(head, 0) == 0xFF && (b1 & 0xE0) == 0xE0 && version != 1 && layer == 1 &&
           bitrate != 0 && bitrate != 15 && rate != 3;
}

struct MediaFormat {
    MediaFileKind kind;
    QStringList extensions;                  // lower case, without the dot
    bool (*signature)(QByteArrayView head);  // nullptr: known by its name only
};

const std::vector<MediaFormat>& formats() {
    static const std::vector<MediaFormat> table = {
        {MediaFileKind::Photo, {"jpg", "jpeg", "jpe", "jfif"}, looksLikeJpeg},
        {MediaFileKind::Song, {"mp3"}, looksLikeMp3},
        {MediaFileKind::Lyric, {"lrc"}, nullptr},
        {MediaFileKind::Karaoke, {"ksc"}, nullptr},
    };
    return table;
}

// The first bytes every signature needs.
constexpr qint64 kHeadSize = 16;

// The position of the extension's dot in `name`, or -1; a leading dot
// (".hidden") starts a name, not an extension.
qsizetype extensionDot(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot > 0 ? dot : -1;
}

}  // namespace

std::optional<MediaFileKind> mediaKindByContent(QByteArrayView head) {
    for (const MediaFormat& format : formats())
        if (format.signature != nullptr && format.signature(head)) return format.kind;
    return std::nullopt;
}

std::optional<MediaFileKind> mediaKindByName(const QString& fileName) {
    const QString extension = mediaExtension(fileName).mid(1).toLower();
    if (extension.isEmpty()) return std::nullopt;
    for (const MediaFormat& format : formats())
        if (format.extensions.contains(extension)) return format.kind;
    return std::nullopt;
}

std::optional<MediaFileKind> mediaKindOf(const QString& fileName, QByteArrayView head) {
    if (const auto kind = mediaKindByContent(head)) return kind;
    return mediaKindByName(fileName);
}

std::optional<MediaFileKind> mediaKindOfFile(const QString& path) {
    QFile file(path);
    const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(kHeadSize) : QByteArray();
    return mediaKindOf(path, head);
}

QString mediaDialogFilter(const QString& caption, MediaFileKind kind) {
    QStringList lower;
    for (const MediaFormat& format : formats())
        if (format.kind == kind) lower << format.extensions;
    QString filter = caption + u'|';
    for (const QString& extension : lower) filter += QStringLiteral("*.%1;").arg(extension);
    for (const QString& extension : lower)
        filter += QStringLiteral("*.%1;").arg(extension.toUpper());
    return filter;
}

QString mediaBaseName(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? name : name.left(dot);
}

QString mediaExtension(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = extensionDot(name);
    return dot < 0 ? QString() : name.mid(dot);
}

}  // namespace orvane
