#pragma once
// The face names the album uses ("黑体", "宋体", "微软雅黑", …) are not
// installed on Linux; each is mapped once, at start, to an installed CJK
// face. Call after the QGuiApplication exists and before any text is
// measured or drawn (the GUI, the CLI and the tests all do).

#include <QFont>
#include <QString>

namespace orvane {

void installFontSubstitutions();

// Pixel size of a font given in points on a 96-dpi screen (points × 96 / 72,
// rounded), so that text measures the same on every machine and screen.
int pointsToPixels(int points);

// A face at a size in points with the styles of lyric and text rows.
QFont styledFont(const QString& face, int points, bool bold, bool italic, bool underline);

}  // namespace orvane
