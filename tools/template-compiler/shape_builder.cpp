#include "shape_builder.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace orvane::swfwrite {
namespace {

std::int32_t twips(double px) { return static_cast<std::int32_t>(std::lround(px * 20.0)); }

void writeColor(Bytes& out, Rgba c) {
    putU8(out, c.r);
    putU8(out, c.g);
    putU8(out, c.b);
    putU8(out, c.a);
}

void writeFillStyle(Bytes& out, const FillStyle& f) {
    BitWriter bits;
    switch (f.kind) {
        case FillStyle::Kind::Solid:
            putU8(out, 0x00);
            writeColor(out, f.color);
            return;
        case FillStyle::Kind::Linear:
        case FillStyle::Kind::Radial: {
            putU8(out, f.kind == FillStyle::Kind::Linear ? 0x10 : 0x12);
            writeMatrix(bits, f.matrix);
            const Bytes m = bits.take();
            out.insert(out.end(), m.begin(), m.end());
            if (f.stops.empty() || f.stops.size() > 15)
                throw std::invalid_argument("a gradient needs 1 to 15 stops");
            putU8(out, static_cast<std::uint8_t>(f.stops.size()));  // pad spread, RGB
            for (const GradientStop& s : f.stops) {
                putU8(out, static_cast<std::uint8_t>(std::clamp(s.ratio, 0, 255)));
                writeColor(out, s.color);
            }
            return;
        }
        case FillStyle::Kind::ClippedBitmap:
        case FillStyle::Kind::RepeatingBitmap: {
            putU8(out, f.kind == FillStyle::Kind::ClippedBitmap ? 0x41 : 0x40);
            putU16(out, static_cast<std::uint16_t>(f.bitmapId));
            writeMatrix(bits, f.matrix);
            const Bytes m = bits.take();
            out.insert(out.end(), m.begin(), m.end());
            return;
        }
    }
}

void writeStraight(BitWriter& w, std::int32_t dx, std::int32_t dy) {
    // An edge holds at most 17-bit deltas; longer lines go in pieces.
    if (std::max(signedBits(dx), signedBits(dy)) > 17) {
        const std::int32_t hx = dx / 2, hy = dy / 2;
        writeStraight(w, hx, hy);
        writeStraight(w, dx - hx, dy - hy);
        return;
    }
    w.writeUB(1, 1);  // edge
    w.writeUB(1, 1);  // straight
    if (dx == 0 || dy == 0) {
        const int n = std::max(2, std::max(signedBits(dx), signedBits(dy)));
        w.writeUB(static_cast<std::uint32_t>(n - 2), 4);
        w.writeUB(0, 1);                // not general
        w.writeUB(dx == 0 ? 1 : 0, 1);  // vertical
        w.writeSB(dx == 0 ? dy : dx, n);
    } else {
        const int n = std::max(2, std::max(signedBits(dx), signedBits(dy)));
        w.writeUB(static_cast<std::uint32_t>(n - 2), 4);
        w.writeUB(1, 1);  // general
        w.writeSB(dx, n);
        w.writeSB(dy, n);
    }
}

void writeCurve(BitWriter& w, std::int32_t cdx, std::int32_t cdy, std::int32_t adx,
                std::int32_t ady) {
    w.writeUB(1, 1);  // edge
    w.writeUB(0, 1);  // curved
    int n = 2;
    for (std::int32_t v : {cdx, cdy, adx, ady}) n = std::max(n, signedBits(v));
    if (n > 17) throw std::invalid_argument("curve too long for one edge");
    w.writeUB(static_cast<std::uint32_t>(n - 2), 4);
    for (std::int32_t v : {cdx, cdy, adx, ady}) w.writeSB(v, n);
}

}  // namespace

FillStyle FillStyle::solid(Rgba c) {
    FillStyle f;
    f.color = c;
    return f;
}

FillStyle FillStyle::linear(double x0, double y0, double x1, double y1,
                            std::vector<GradientStop> stops) {
    FillStyle f;
    f.kind = Kind::Linear;
    f.stops = std::move(stops);
    const double dx = (x1 - x0) * 20.0, dy = (y1 - y0) * 20.0;
    const double len = std::max(std::hypot(dx, dy), 1.0);
    const double s = len / 32768.0;
    const double cosA = dx / len, sinA = dy / len;
    f.matrix.a = cosA * s;
    f.matrix.b = sinA * s;
    f.matrix.c = -sinA * s;
    f.matrix.d = cosA * s;
    f.matrix.tx = twips((x0 + x1) / 2);
    f.matrix.ty = twips((y0 + y1) / 2);
    return f;
}

FillStyle FillStyle::radial(double cx, double cy, double rx, double ry,
                            std::vector<GradientStop> stops) {
    FillStyle f;
    f.kind = Kind::Radial;
    f.stops = std::move(stops);
    f.matrix.a = rx * 20.0 / 16384.0;
    f.matrix.d = ry * 20.0 / 16384.0;
    f.matrix.tx = twips(cx);
    f.matrix.ty = twips(cy);
    return f;
}

FillStyle FillStyle::bitmap(int id, double x, double y, double scale, bool repeating) {
    FillStyle f;
    f.kind = repeating ? Kind::RepeatingBitmap : Kind::ClippedBitmap;
    f.bitmapId = id;
    f.matrix.a = f.matrix.d = 20.0 * scale;
    f.matrix.tx = twips(x);
    f.matrix.ty = twips(y);
    return f;
}

Outline& Outline::moveTo(double x, double y) {
    m_contours.push_back({x, y, {}, false});
    return *this;
}

Outline& Outline::moveToHole(double x, double y) {
    m_contours.push_back({x, y, {}, true});
    return *this;
}

Outline& Outline::addHoles(const Outline& other) {
    for (Contour c : other.contours()) {
        c.hole = true;
        m_contours.push_back(std::move(c));
    }
    return *this;
}

Outline& Outline::lineTo(double x, double y) {
    if (m_contours.empty()) moveTo(0, 0);
    m_contours.back().segments.push_back({false, 0, 0, x, y});
    return *this;
}

Outline& Outline::quadTo(double cx, double cy, double x, double y) {
    if (m_contours.empty()) moveTo(0, 0);
    m_contours.back().segments.push_back({true, cx, cy, x, y});
    return *this;
}

Outline& Outline::close() {
    if (!m_contours.empty()) {
        const Contour& c = m_contours.back();
        const Segment* last = c.segments.empty() ? nullptr : &c.segments.back();
        if (!last || twips(last->x) != twips(c.x) || twips(last->y) != twips(c.y)) lineTo(c.x, c.y);
    }
    return *this;
}

Bytes defineShape3(std::uint16_t id, const ShapeDef& shape) {
    if (shape.fills.size() >= 255) throw std::invalid_argument("too many fill styles");
    // Bounds from every point (control points included: a safe superset).
    double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
    auto grow = [&](double x, double y) {
        minX = std::min(minX, x);
        minY = std::min(minY, y);
        maxX = std::max(maxX, x);
        maxY = std::max(maxY, y);
    };
    for (const ShapePart& part : shape.parts)
        for (const auto& c : part.outline.contours()) {
            grow(c.x, c.y);
            for (const auto& s : c.segments) {
                grow(s.x, s.y);
                if (s.curve) grow(s.cx, s.cy);
            }
        }
    if (minX > maxX) minX = minY = maxX = maxY = 0;
    const double pad = shape.line.widthPx / 2;

    Bytes body;
    putU16(body, id);
    BitWriter bits;
    writeRect(bits, {twips(minX - pad), twips(maxX + pad), twips(minY - pad), twips(maxY + pad)});
    Bytes rect = bits.take();
    body.insert(body.end(), rect.begin(), rect.end());

    putU8(body, static_cast<std::uint8_t>(shape.fills.size()));
    for (const FillStyle& f : shape.fills) writeFillStyle(body, f);
    const bool hasLine = shape.line.widthPx > 0;
    putU8(body, hasLine ? 1 : 0);
    if (hasLine) {
        putU16(body,
               static_cast<std::uint16_t>(std::max<std::int32_t>(1, twips(shape.line.widthPx))));
        writeColor(body, shape.line.color);
    }
    const int fillBits = unsignedBits(static_cast<std::uint32_t>(shape.fills.size()));
    const int lineBits = hasLine ? 1 : 0;
    bits.writeUB(static_cast<std::uint32_t>(fillBits), 4);
    bits.writeUB(static_cast<std::uint32_t>(lineBits), 4);

    // A clockwise contour has its inside on the right: fill 1 is the part's
    // fill. A hole runs clockwise too, with the fill outside it, on its left
    // (fill 0), so the area it encloses stays empty.
    int currentFill0 = 0, currentFill1 = 0, currentLine = 0;
    for (const ShapePart& part : shape.parts) {
        const int line = (part.stroke && hasLine) ? 1 : 0;
        for (const auto& c : part.outline.contours()) {
            const int fill0 = c.hole ? part.fill : 0;
            const int fill1 = c.hole ? 0 : part.fill;
            const bool setFill0 = fill0 != currentFill0;
            const bool setFill1 = fill1 != currentFill1;
            const bool setLine = hasLine && line != currentLine;
            bits.writeUB(0, 1);
            bits.writeUB(0, 1);                 // NewStyles
            bits.writeUB(setLine ? 1 : 0, 1);   // LineStyle
            bits.writeUB(setFill1 ? 1 : 0, 1);  // FillStyle1
            bits.writeUB(setFill0 ? 1 : 0, 1);  // FillStyle0
            bits.writeUB(1, 1);                 // MoveTo
            const std::int32_t mx = twips(c.x), my = twips(c.y);
            const int n = std::max(signedBits(mx), signedBits(my));
            bits.writeUB(static_cast<std::uint32_t>(n), 5);
            bits.writeSB(mx, n);
            bits.writeSB(my, n);
            if (setFill0) bits.writeUB(static_cast<std::uint32_t>(fill0), fillBits);
            if (setFill1) bits.writeUB(static_cast<std::uint32_t>(fill1), fillBits);
            if (setLine) bits.writeUB(static_cast<std::uint32_t>(line), lineBits);
            currentFill0 = fill0;
            currentFill1 = fill1;
            currentLine = line;
            std::int32_t px = mx, py = my;
            for (const auto& s : c.segments) {
                const std::int32_t x = twips(s.x), y = twips(s.y);
                if (s.curve) {
                    const std::int32_t cx = twips(s.cx), cy = twips(s.cy);
                    writeCurve(bits, cx - px, cy - py, x - cx, y - cy);
                } else if (x != px || y != py) {
                    writeStraight(bits, x - px, y - py);
                }
                px = x;
                py = y;
            }
        }
    }
    bits.writeUB(0, 6);  // end record
    bits.align();
    const Bytes records = bits.take();
    body.insert(body.end(), records.begin(), records.end());
    return makeTag(kDefineShape3, body, body.size() >= 0x3F);
}

Outline rectOutline(double x, double y, double w, double h) {
    Outline o;
    o.moveTo(x, y).lineTo(x + w, y).lineTo(x + w, y + h).lineTo(x, y + h).close();
    return o;
}

Outline roundRectOutline(double x, double y, double w, double h, double r) {
    r = std::clamp(r, 0.0, std::min(w, h) / 2);
    if (r <= 0) return rectOutline(x, y, w, h);
    Outline o;
    o.moveTo(x + r, y)
        .lineTo(x + w - r, y)
        .quadTo(x + w, y, x + w, y + r)
        .lineTo(x + w, y + h - r)
        .quadTo(x + w, y + h, x + w - r, y + h)
        .lineTo(x + r, y + h)
        .quadTo(x, y + h, x, y + h - r)
        .lineTo(x, y + r)
        .quadTo(x, y, x + r, y)
        .close();
    return o;
}

Outline ellipseOutline(double cx, double cy, double rx, double ry) {
    // Eight quadratic arcs, each spanning 45 degrees; the control point lies
    // on the tangents' crossing, at radius / cos(22.5°).
    Outline o;
    const double k = 1.0 / std::cos(std::numbers::pi / 8);
    o.moveTo(cx + rx, cy);
    for (int i = 1; i <= 8; ++i) {
        const double a1 = i * std::numbers::pi / 4, am = a1 - std::numbers::pi / 8;
        o.quadTo(cx + rx * k * std::cos(am), cy + ry * k * std::sin(am), cx + rx * std::cos(a1),
                 cy + ry * std::sin(a1));
    }
    return o.close();
}

Outline starOutline(double cx, double cy, double outer, double inner, int points,
                    double rotationDeg) {
    Outline o;
    const double step = std::numbers::pi / points;
    const double start = rotationDeg * std::numbers::pi / 180;
    for (int i = 0; i < 2 * points; ++i) {
        const double r = i % 2 == 0 ? outer : inner;
        const double a = start + i * step;
        const double x = cx + r * std::cos(a), y = cy + r * std::sin(a);
        if (i == 0)
            o.moveTo(x, y);
        else
            o.lineTo(x, y);
    }
    return o.close();
}

Outline heartOutline(double cx, double cy, double w, double h) {
    // Two lobes and a point, drawn clockwise from the top notch.
    const double x0 = cx - w / 2, y0 = cy - h / 2;
    auto X = [&](double u) { return x0 + u * w; };
    auto Y = [&](double v) { return y0 + v * h; };
    Outline o;
    o.moveTo(X(0.5), Y(0.22))
        .quadTo(X(0.62), Y(0.0), X(0.78), Y(0.02))
        .quadTo(X(1.0), Y(0.06), X(1.0), Y(0.30))
        .quadTo(X(1.0), Y(0.55), X(0.76), Y(0.74))
        .quadTo(X(0.6), Y(0.86), X(0.5), Y(1.0))
        .quadTo(X(0.4), Y(0.86), X(0.24), Y(0.74))
        .quadTo(X(0.0), Y(0.55), X(0.0), Y(0.30))
        .quadTo(X(0.0), Y(0.06), X(0.22), Y(0.02))
        .quadTo(X(0.38), Y(0.0), X(0.5), Y(0.22))
        .close();
    return o;
}

}  // namespace orvane::swfwrite
