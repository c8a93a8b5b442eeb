// How a file is known to be a photo, a song, an LRC or a KSC file: by its
// first bytes where the format has a signature, else by its extension in any
// letter case; the dialog filters and the names the files are listed under.

#include "base/media_file_kind.h"

#include <gtest/gtest.h>

#include <optional>

namespace orvane {
namespace {

using Kind = std::optional<MediaFileKind>;

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(static_cast<char>(v));
    return out;
}

const QByteArray kJfif = bytes({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0});
const QByteArray kExif = bytes({0xFF, 0xD8, 0xFF, 0xE1, 0x12, 0x34, 'E', 'x', 'i', 'f', 0});
const QByteArray kId3 = QByteArray("ID3") + bytes({4, 0, 0, 0, 0, 0x02, 0x7F, 'T', 'I'});
// MPEG 1 Layer III, 128 kbit/s, 44.1 kHz; MPEG 2 Layer III, 64 kbit/s, 22.05 kHz.
const QByteArray kFrame1 = bytes({0xFF, 0xFB, 0x90, 0x64, 0, 0});
const QByteArray kFrame2 = bytes({0xFF, 0xF3, 0x80, 0xC4, 0, 0});
const QByteArray kUtf16Lrc = bytes({0xFF, 0xFE, '[', 0, '0', 0, '0', 0, ':', 0});
const QByteArray kUtf8Lrc = QByteArray("\xEF\xBB\xBF[00:01.00]line\n");

TEST(MediaFileKind, ContentDecidesFirstThenTheNameInAnyCase) {
    struct Case {
        const char* name;
        QByteArray head;
        Kind expected;
    };
    const Case cases[] = {
        // Every name of a JPEG, in any case, with or without its content.
        {"a.jpg", kJfif, MediaFileKind::Photo},
        {"a.jpeg", {}, MediaFileKind::Photo},
        {"a.jpe", {}, MediaFileKind::Photo},
        {"a.jfif", {}, MediaFileKind::Photo},
        {"A.JPG", {}, MediaFileKind::Photo},
        {"a.Jpeg", {}, MediaFileKind::Photo},
        {"A.JFIF", {}, MediaFileKind::Photo},
        // A JPEG under another name or none is a photo by its content.
        {"a.png", kExif, MediaFileKind::Photo},
        {"photo", kJfif, MediaFileKind::Photo},
        {"a.mp3", kJfif, MediaFileKind::Photo},
        // Songs: the name in any case, an ID3 tag, a Layer III frame.
        {"a.mp3", {}, MediaFileKind::Song},
        {"A.MP3", {}, MediaFileKind::Song},
        {"tune", kId3, MediaFileKind::Song},
        {"tune.dat", kFrame1, MediaFileKind::Song},
        {"tune", kFrame2, MediaFileKind::Song},
        // Lyrics by their names only; a UTF-16 byte-order mark is no frame.
        {"a.lrc", kUtf8Lrc, MediaFileKind::Lyric},
        {"A.LRC", kUtf16Lrc, MediaFileKind::Lyric},
        {"k.ksc", {}, MediaFileKind::Karaoke},
        {"K.Ksc", {}, MediaFileKind::Karaoke},
        // Nothing known.
        {"notes.txt", "some notes", std::nullopt},
        {"a.jpg.bak", kUtf8Lrc, std::nullopt},
        {"noextension", {}, std::nullopt},
        {".jpg", {}, std::nullopt},  // a hidden file's name, not an extension
        {"utf16.txt", kUtf16Lrc, std::nullopt},
        {"short.txt", bytes({0xFF, 0xD8}), std::nullopt},
        {"id3.txt", QByteArray("ID3 is a tag"), std::nullopt},
        // Frame headers with a reserved version, Layer I, a bad bitrate.
        {"x.bin", bytes({0xFF, 0xEB, 0x90, 0x64}), std::nullopt},
        {"x.bin", bytes({0xFF, 0xFF, 0x90, 0x64}), std::nullopt},
        {"x.bin", bytes({0xFF, 0xFB, 0xF0, 0x64}), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(mediaKindOf(QString::fromUtf8(c.name), c.head), c.expected)
            << c.name << " " << c.head.toHex().toStdString();
}

TEST(MediaFileKind, DialogFiltersStartWithTheUsualNameAndListEveryOtherInBothCases) {
    EXPECT_EQ(mediaDialogFilter(QStringLiteral("添加相片文件(JPG)"), MediaFileKind::Photo),
              QStringLiteral("添加相片文件(JPG)|*.jpg;*.jpeg;*.jpe;*.jfif;"
                             "*.JPG;*.JPEG;*.JPE;*.JFIF;"));
    EXPECT_EQ(mediaDialogFilter(QStringLiteral("添加音乐文件(MP3)"), MediaFileKind::Song),
              QStringLiteral("添加音乐文件(MP3)|*.mp3;*.MP3;"));
    EXPECT_EQ(mediaDialogFilter(QStringLiteral("添加歌词文件(LRC)"), MediaFileKind::Lyric),
              QStringLiteral("添加歌词文件(LRC)|*.lrc;*.LRC;"));
}

TEST(MediaFileKind, NamesLoseTheirExtensionWhateverItsLength) {
    const std::pair<const char*, std::pair<const char*, const char*>> cases[] = {
        {"/photos/IMG.JPG", {"IMG", ".JPG"}},
        {"/photos/海边.jpeg", {"海边", ".jpeg"}},
        {"/photos/a.b/x.jfif", {"x", ".jfif"}},
        {"/photos/photo", {"photo", ""}},
        {"/music/月亮.代表.mp3", {"月亮.代表", ".mp3"}},
        {"/music/.hidden", {".hidden", ""}},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(mediaBaseName(QString::fromUtf8(path)), QString::fromUtf8(expected.first))
            << path;
        EXPECT_EQ(mediaExtension(QString::fromUtf8(path)), QString::fromUtf8(expected.second))
            << path;
    }
}

}  // namespace
}  // namespace orvane
