#pragma once
// Builds DefineShape3 bodies: fill styles (solid, linear and radial
// gradients, clipped and repeating bitmaps), one optional line style, and
// outlines made of straight and quadratic edges. Coordinates are given in
// pixels and written in twips.

#include <vector>

#include "swf_writer.h"

namespace orvane::swfwrite {

struct GradientStop {
    int ratio = 0;  // 0..255
    Rgba color;
};

struct FillStyle {
    enum class Kind { Solid, Linear, Radial, ClippedBitmap, RepeatingBitmap };
    Kind kind = Kind::Solid;
    Rgba color;                       // Solid
    std::vector<GradientStop> stops;  // Linear, Radial (at most 15)
    Matrix matrix;                    // gradient square or bitmap pixels -> shape twips
    int bitmapId = 0;                 // bitmaps

    static FillStyle solid(Rgba c);
    // Linear gradient from (x0, y0) to (x1, y1), in pixels.
    static FillStyle linear(double x0, double y0, double x1, double y1,
                            std::vector<GradientStop> stops);
    // Radial gradient centred at (cx, cy) with radii rx, ry, in pixels.
    static FillStyle radial(double cx, double cy, double rx, double ry,
                            std::vector<GradientStop> stops);
    // Bitmap with its top-left pixel at (x, y), `scale` shape pixels per bitmap pixel.
    static FillStyle bitmap(int id, double x, double y, double scale, bool repeating);
};

struct LineStyle {
    double widthPx = 0;
    Rgba color;
};

// One closed outline; points in pixels.
class Outline {
   public:
    Outline& moveTo(double x, double y);
    // Starts a clockwise contour that cuts a hole in the part's fill.
    Outline& moveToHole(double x, double y);
    // Appends `other`'s contours as holes (they must run clockwise).
    Outline& addHoles(const Outline& other);
    Outline& lineTo(double x, double y);
    Outline& quadTo(double cx, double cy, double x, double y);
    Outline& close();

    struct Segment {
        bool curve = false;
        double cx = 0, cy = 0, x = 0, y = 0;
    };
    struct Contour {
        double x = 0, y = 0;
        std::vector<Segment> segments;
        bool hole = false;  // the fill lies outside (on its left)
    };
    const std::vector<Contour>& contours() const { return m_contours; }

   private:
    std::vector<Contour> m_contours;
};

// A shape: each part is an outline filled with one fill style (1-based in
// the order given) and optionally stroked with the line style.
struct ShapePart {
    Outline outline;
    int fill = 1;  // 0 = no fill
    bool stroke = false;
};

struct ShapeDef {
    std::vector<FillStyle> fills;  // fewer than 255
    LineStyle line;                // used by parts with stroke when widthPx > 0
    std::vector<ShapePart> parts;
};

// The DefineShape3 tag for `shape` with character id `id`.
Bytes defineShape3(std::uint16_t id, const ShapeDef& shape);

// Ready-made outlines, centred on (0, 0) unless said otherwise.
Outline rectOutline(double x, double y, double w, double h);
Outline roundRectOutline(double x, double y, double w, double h, double r);
Outline ellipseOutline(double cx, double cy, double rx, double ry);
Outline starOutline(double cx, double cy, double outer, double inner, int points,
                    double rotationDeg = -90);
Outline heartOutline(double cx, double cy, double w, double h);

}  // namespace orvane::swfwrite
