#include "audio/lyric_style.h"

#include <QFontMetrics>

#include "base/fonts.h"

namespace orvane {

QColor colorFromValue(const QString& value) {
    const int v = fieldToInt(value, "colour value");
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int lyricFontSize(const LyricEntry& lyric, int sizeScaleWidth) {
    return lyric.fontSize * sizeScaleWidth / kLyricSampleWidth;
}

QFont lyricFont(const LyricEntry& lyric, int sizeScaleWidth) {
    return styledFont(lyric.fontName, lyricFontSize(lyric, sizeScaleWidth), lyric.bold,
                      lyric.italic, lyric.underline);
}

QPoint placeLyricLabel(LyricHAlign hAlign, LyricVAlign vAlign, QSize area, QSize label,
                       QPoint current) {
    QPoint p = current;
    if (hAlign == LyricHAlign::Left)
        p.setX(10);
    else if (hAlign == LyricHAlign::Centre)
        p.setX((area.width() - label.width()) / 2);
    else if (hAlign == LyricHAlign::Right)
        p.setX(area.width() - label.width() - 10);
    if (vAlign == LyricVAlign::Top)
        p.setY(10);
    else if (vAlign == LyricVAlign::Middle)
        p.setY((area.height() - label.height()) / 2);
    else if (vAlign == LyricVAlign::Bottom)
        p.setY(area.height() - label.height() - 10);
    return p;
}

LyricLabel styleLyricLabel(const LyricEntry& lyric, const QString& text, QSize area,
                           int sizeScaleWidth, QPoint current) {
    LyricLabel label;
    label.font = lyricFont(lyric, sizeScaleWidth);
    label.color = colorFromValue(lyric.colorValue);
    const QFontMetrics metrics(label.font);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    label.rect = QRect(placeLyricLabel(lyric.hAlign, lyric.vAlign, area, size, current), size);
    return label;
}

}  // namespace orvane
