#pragma once
// Titles, ornaments and pattern tiles drawn with QPainter into images that
// the movie embeds as bitmaps. Needs a QGuiApplication for fonts.

#include <QColor>
#include <QImage>
#include <QString>

namespace orvane::tc {

struct TextStyle {
    QString text;
    QString font = QStringLiteral("Noto Serif CJK SC");
    double size = 72;  // pixel size
    bool bold = false;
    bool italic = false;
    double spacing = 0;  // extra letter spacing, pixels
    QColor color = Qt::white;
    double shadow = 0;   // soft drop shadow offset, pixels (0 = none)
    double outline = 0;  // outline width, pixels
    QColor outlineColor = Qt::black;
};

// The text on a transparent image with room for its shadow and outline.
QImage rasterText(const TextStyle& style);

// "divider" (a line with a centre diamond, fading ends), "corners" (four
// corner flourishes of a w × h frame), "flourish" (a symmetric swirl),
// "sparkle" (a soft four-point glint). Throws on an unknown name.
QImage rasterOrnament(const QString& name, int w, int h, const QColor& color);

// A seamless tile: "dots", "stripes", "grid", "hearts", "paper" (fine grain),
// from a background and a foreground colour.
QImage rasterPattern(const QString& name, int tile, const QColor& background,
                     const QColor& foreground);

}  // namespace orvane::tc
