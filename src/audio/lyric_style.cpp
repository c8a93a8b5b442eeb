#include "audio/lyric_style.h"

#include <QFontMetrics>

#include "base/fonts.h"

namespace orvane {

QColor colorFromValue(const QString& value) {
    const int v = fieldToInt(value, "colour value");
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int lyricFontSize(const LyricEntry& lyric, int sizeScaleWidth) {
    return fieldToInt(lyric.fontSize, "lyric font size") * sizeScaleWidth / kLyricSampleWidth;
}

QFont lyricFont(const LyricEntry& lyric, int sizeScaleWidth) {
    return styledFont(lyric.fontName, lyricFontSize(lyric, sizeScaleWidth), lyric.bold,
                      lyric.italic, lyric.underline);
}

QPoint placeLyricLabel(const QString& hAlign, const QString& vAlign, QSize area, QSize label,
                       QPoint current) {
    QPoint p = current;
    if (hAlign == QLatin1String("zuobian"))
        p.setX(10);
    else if (hAlign == QLatin1String("juzhong"))
        p.setX((area.width() - label.width()) / 2);
    else if (hAlign == QLatin1String("youbian"))
        p.setX(area.width() - label.width() - 10);
    if (vAlign == QLatin1String("shangmian"))
        p.setY(10);
    else if (vAlign == QLatin1String("zhongjian"))
        p.setY((area.height() - label.height()) / 2);
    else if (vAlign == QLatin1String("xiamian"))
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
