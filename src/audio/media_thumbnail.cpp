#include "audio/media_thumbnail.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "base/error.h"
#include "base/file_io.h"

namespace orvane {
namespace {

constexpr int kWidth = 130;
constexpr int kHeight = 115;
const QRect kCaption(5, 98, 124, 12);

void paintSongArtwork(QPainter& p) {
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(40, 52, 96));
    sky.setColorAt(1, QColor(12, 16, 34));
    p.fillRect(0, 0, kWidth, kHeight, sky);
    // A record with a note in front of it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 20, 24));
    p.drawEllipse(QPoint(65, 48), 38, 38);
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(Qt::NoBrush);
    for (int r = 14; r < 38; r += 6) p.drawEllipse(QPoint(65, 48), r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 120, 40));
    p.drawEllipse(QPoint(65, 48), 10, 10);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QRectF(72, 58, 14, 10));
    p.drawRect(QRectF(83, 22, 3, 41));
    QPainterPath flag;
    flag.moveTo(86, 22);
    flag.cubicTo(96, 26, 100, 34, 94, 42);
    flag.cubicTo(96, 34, 92, 30, 86, 30);
    p.drawPath(flag);
}

void paintLyricArtwork(QPainter& p) {
    QLinearGradient sky(0, 0, kWidth, kHeight);
    sky.setColorAt(0, QColor(28, 90, 84));
    sky.setColorAt(1, QColor(10, 30, 32));
    p.fillRect(0, 0, kWidth, kHeight, sky);
    // A sheet with lines of text.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 242, 230));
    p.drawRoundedRect(QRectF(38, 10, 54, 78), 4, 4);
    p.setBrush(QColor(120, 130, 140));
    for (int i = 0; i < 6; ++i) p.drawRect(QRectF(45, 20 + i * 10, i % 2 ? 32 : 40, 3));
    p.setBrush(QColor(230, 120, 40));
    p.drawEllipse(QRectF(80, 66, 10, 8));
}

}  // namespace

QImage paintMediaThumbnail(MediaKind kind, const QString& caption) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == MediaKind::Song)
        paintSongArtwork(p);
    else
        paintLyricArtwork(p);

    QFont measuring(QStringLiteral("宋体"));
    measuring.setPixelSize(11);
    const bool wide = QFontMetrics(measuring).horizontalAdvance(caption) >= kWidth;
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    p.setClipRect(kCaption);
    p.drawText(kCaption, (wide ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter, caption);
    p.end();
    return image;
}

void writeMediaThumbnail(const WorkingFolder& folder, MediaKind kind, int n,
                         const QString& caption) {
    const int k = static_cast<int>(kind);
    folder.createFolder(folder.thumbnailFolder(k));
    const fs::path file = folder.thumbnail(k, n);
    if (auto written = writeImageFile(paintMediaThumbnail(kind, caption), file, "BMP"); !written)
        throw OrvaneError(QStringLiteral("cannot write the thumbnail %1 (%2)")
                              .arg(toQString(file), written.error().message));
}

void renumberThumbnailsAfterRemoval(const WorkingFolder& folder, MediaKind kind, int removed,
                                    int count) {
    const int k = static_cast<int>(kind);
    std::error_code ec;
    fs::remove(folder.thumbnail(k, removed + 1), ec);
    for (int n = removed + 2; n <= count; ++n) {
        ec.clear();
        if (fs::exists(folder.thumbnail(k, n), ec))
            fs::rename(folder.thumbnail(k, n), folder.thumbnail(k, n - 1), ec);
    }
}

}  // namespace orvane
