#pragma once
// How a lyric's display attributes become a label: the font (the stored size
// is given at the 513-pixel scale of the lyric settings sample, so it is
// scaled by the target area's width), the colour, and the label's place in
// its area. Pure functions; any thread that has a QGuiApplication (for the
// font metrics).

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include "base/project_model.h"

namespace orvane {

inline constexpr int kLyricSampleWidth = 513;

// A decimal colour value (blue × 65536 + green × 256 + red) as a colour.
QColor colorFromValue(const QString& value);

// fontSize × sizeScaleWidth div 513 points, face fontName, bold/italic/
// underline exactly when the fields hold "cuti", "xieti", "xiahuaxian".
QFont lyricFont(const LyricEntry& lyric, int sizeScaleWidth);
int lyricFontSize(const LyricEntry& lyric, int sizeScaleWidth);

// The label's top-left corner in an area of `area` for a label of `label`
// size: left 10 / centred / right 10 from the edge, top 10 / middle /
// bottom 10. A placement word that is none of the three keeps the
// coordinate of `current`.
QPoint placeLyricLabel(LyricHAlign hAlign, LyricVAlign vAlign, QSize area, QSize label,
                       QPoint current = {});

struct LyricLabel {
    QFont font;
    QColor color;
    QRect rect;  // the label sized to its text and placed in the area
};

// The whole label for `text` in a target area. `sizeScaleWidth` is the width
// the font size is scaled by (the area's own width in the previews, 1920
// over album frames).
LyricLabel styleLyricLabel(const LyricEntry& lyric, const QString& text, QSize area,
                           int sizeScaleWidth, QPoint current = {});

}  // namespace orvane
