// Shapes are stored as edges, each carrying the fill on its left (fill0),
// the fill on its right (fill1) and a line style. We turn them into closed
// contours per fill style: a fill's fill1 edges as drawn, its fill0 edges
// reversed, chained end to start. Edges with the same fill on both sides
// cancel. NewStyles starts a new layer with its own style arrays.

#include "render/swf/shape_parser.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace orvane::swf {

namespace {

// A shape is refused past these: the edges it holds, and the edges times
// the styles of their layer (the work of building its paths).
constexpr int kMaxShapeEdges = 100'000;
constexpr std::int64_t kMaxShapeWork = 20'000'000;

// The pen after a step of (dx, dy) twips. Thousands of long edges in one
// direction would run past an int; far off the stage the exact place no
// longer matters, so the pen stops at a bound.
QPoint moved(QPoint pen, int dx, int dy) {
    constexpr std::int64_t kBound = 1 << 28;
    return QPoint(int(std::clamp(std::int64_t(pen.x()) + dx, -kBound, kBound)),
                  int(std::clamp(std::int64_t(pen.y()) + dy, -kBound, kBound)));
}

struct Edge {
    QPoint from, to, control;
    bool curve = false;
    int fill0 = 0, fill1 = 0, line = 0;
};

struct LayerEdges {
    std::vector<FillStyle> fills;
    std::vector<LineStyle> lines;
    std::vector<Edge> edges;
};

struct Segment {
    QPoint from, to, control;
    bool curve;
};

Gradient readGradient(ByteReader& in, int shapeVersion, bool focal) {
    Gradient g;
    g.matrix = in.matrix();
    const int header = in.u8();
    const int spread = header >> 6 & 3;
    g.spread = spread == 1   ? SpreadMode::Reflect
               : spread == 2 ? SpreadMode::Repeat
                             : SpreadMode::Pad;
    const int count = header & 15;
    for (int i = 0; i < count; ++i) {
        const double ratio = in.u8() / 255.0;
        const QColor color = shapeVersion >= 3 ? in.rgba() : in.rgb();
        g.stops.emplace_back(ratio, color);
    }
    if (focal) g.focalPoint = std::clamp(in.s16() / 256.0, -1.0, 1.0);
    return g;
}

FillStyle readFillStyle(ByteReader& in, int shapeVersion) {
    FillStyle f;
    const int type = in.u8();
    switch (type) {
        case 0x00:
            f.kind = FillStyle::Kind::Solid;
            f.color = shapeVersion >= 3 ? in.rgba() : in.rgb();
            break;
        case 0x10:
            f.kind = FillStyle::Kind::LinearGradient;
            f.gradient = readGradient(in, shapeVersion, false);
            break;
        case 0x12:
            f.kind = FillStyle::Kind::RadialGradient;
            f.gradient = readGradient(in, shapeVersion, false);
            break;
        case 0x13:
            f.kind = FillStyle::Kind::FocalGradient;
            f.gradient = readGradient(in, shapeVersion, true);
            break;
        case 0x40:
        case 0x41:
        case 0x42:
        case 0x43:
            f.kind = FillStyle::Kind::Bitmap;
            f.bitmapId = in.u16();
            f.bitmapMatrix = in.matrix();
            f.repeating = type == 0x40 || type == 0x42;
            f.smoothed = type == 0x40 || type == 0x41;
            break;
        default:
            throw ReadError("a shape has an unknown fill style");
    }
    return f;
}

int readStyleCount(ByteReader& in, int shapeVersion) {
    int count = in.u8();
    if (count == 0xFF && shapeVersion >= 2) count = in.u16();
    return count;
}

void readStyles(ByteReader& in, int shapeVersion, LayerEdges& layer) {
    const int fillCount = readStyleCount(in, shapeVersion);
    for (int i = 0; i < fillCount; ++i) layer.fills.push_back(readFillStyle(in, shapeVersion));
    const int lineCount = readStyleCount(in, shapeVersion);
    for (int i = 0; i < lineCount; ++i) {
        LineStyle s;
        s.width = in.u16();
        if (shapeVersion < 4) {
            s.color = shapeVersion == 3 ? in.rgba() : in.rgb();
        } else {
            const int startCap = int(in.ub(2));
            const int join = int(in.ub(2));
            const bool hasFill = in.ub(1);
            in.ub(3);  // no horizontal/vertical scaling, pixel hinting
            in.ub(5);  // reserved
            in.ub(1);  // no close
            in.ub(2);  // end cap: Qt has one cap style per pen
            in.alignToByte();
            s.cap = startCap == 1 ? Qt::FlatCap : startCap == 2 ? Qt::SquareCap : Qt::RoundCap;
            s.join = join == 1 ? Qt::BevelJoin : join == 2 ? Qt::MiterJoin : Qt::RoundJoin;
            if (join == 2) s.miterLimit = in.u16() / 256.0;
            if (hasFill) {
                s.fill = readFillStyle(in, shapeVersion);
                s.color =
                    s.fill->kind == FillStyle::Kind::Solid ? s.fill->color : QColor(Qt::black);
            } else {
                s.color = in.rgba();
            }
        }
        layer.lines.push_back(s);
    }
}

std::int64_t pointKey(QPoint p) { return std::int64_t(p.x()) << 32 ^ std::uint32_t(p.y()); }

void addSegment(QPainterPath& path, const Segment& s) {
    if (s.curve)
        path.quadTo(s.control, s.to);
    else
        path.lineTo(s.to);
}

// Chains the segments of one fill into closed contours.
QPainterPath chainContours(const std::vector<Segment>& segments) {
    std::unordered_multimap<std::int64_t, std::size_t> byStart;
    byStart.reserve(segments.size());
    for (std::size_t i = 0; i < segments.size(); ++i)
        byStart.emplace(pointKey(segments[i].from), i);
    std::vector<bool> used(segments.size(), false);
    QPainterPath path;
    for (std::size_t first = 0; first < segments.size(); ++first) {
        if (used[first]) continue;
        const QPoint start = segments[first].from;
        path.moveTo(start);
        std::size_t current = first;
        while (true) {
            used[current] = true;
            addSegment(path, segments[current]);
            const QPoint end = segments[current].to;
            if (end == start) break;
            std::size_t next = segments.size();
            auto [lo, hi] = byStart.equal_range(pointKey(end));
            for (auto it = lo; it != hi; ++it) {
                if (!used[it->second]) {
                    next = it->second;
                    break;
                }
            }
            if (next == segments.size()) break;
            current = next;
        }
        path.closeSubpath();
    }
    return path;
}

// The rectangle an outline is, when it is one axis-aligned rectangle.
std::optional<QRectF> asRectangle(const std::vector<Segment>& segments) {
    if (segments.size() != 4) return std::nullopt;
    QRect box;
    for (const Segment& s : segments) {
        if (s.curve) return std::nullopt;
        if (s.from.x() != s.to.x() && s.from.y() != s.to.y()) return std::nullopt;
    }
    int minX = segments[0].from.x(), maxX = minX, minY = segments[0].from.y(), maxY = minY;
    for (const Segment& s : segments) {
        for (QPoint p : {s.from, s.to}) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
            minY = std::min(minY, p.y());
            maxY = std::max(maxY, p.y());
        }
    }
    for (const Segment& s : segments) {
        for (QPoint p : {s.from, s.to}) {
            if ((p.x() != minX && p.x() != maxX) || (p.y() != minY && p.y() != maxY))
                return std::nullopt;
        }
    }
    if (minX == maxX || minY == maxY) return std::nullopt;
    return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
}

ShapeLayer buildLayer(const LayerEdges& layer, Qt::FillRule rule) {
    ShapeLayer out;
    for (int fill = 1; fill <= int(layer.fills.size()); ++fill) {
        std::vector<Segment> segments;
        for (const Edge& e : layer.edges) {
            if (e.fill0 == e.fill1) continue;
            if (e.fill1 == fill) segments.push_back({e.from, e.to, e.control, e.curve});
            if (e.fill0 == fill) segments.push_back({e.to, e.from, e.control, e.curve});
        }
        if (segments.empty()) continue;
        ShapeFill f;
        f.style = layer.fills[fill - 1];
        f.path = chainContours(segments);
        f.path.setFillRule(rule);
        if (f.style.kind == FillStyle::Kind::Bitmap && f.style.bitmapMatrix.m12() == 0 &&
            f.style.bitmapMatrix.m21() == 0)
            f.rect = asRectangle(segments);
        out.fills.push_back(std::move(f));
    }
    for (int line = 1; line <= int(layer.lines.size()); ++line) {
        QPainterPath path;
        bool started = false;
        QPoint pen;
        for (const Edge& e : layer.edges) {
            if (e.line != line) continue;
            if (!started || e.from != pen) path.moveTo(e.from);
            started = true;
            addSegment(path, {e.from, e.to, e.control, e.curve});
            pen = e.to;
        }
        if (started) out.strokes.push_back({layer.lines[line - 1], path});
    }
    return out;
}

// Curves stay inside their control points; a stroke reaches half its width
// past its path, a mitred corner up to the miter limit times that.
QRectF paintedExtent(const Shape& shape) {
    QRectF extent;
    for (const ShapeLayer& layer : shape.layers) {
        for (const ShapeFill& f : layer.fills) extent |= f.path.controlPointRect();
        for (const ShapeStroke& s : layer.strokes) {
            const double reach = s.style.width * std::max(1.0, s.style.miterLimit);
            extent |= s.path.controlPointRect().adjusted(-reach, -reach, reach, reach);
        }
    }
    return extent;
}

}  // namespace

Shape readShape(ByteReader& in, int shapeVersion, const Movie&) {
    Shape shape;
    shape.bounds = in.rect();
    Qt::FillRule rule = Qt::OddEvenFill;
    if (shapeVersion == 4) {
        in.rect();  // edge bounds
        const int flags = in.u8();
        if (flags & 0x04) rule = Qt::WindingFill;
    }
    std::vector<LayerEdges> layers(1);
    readStyles(in, shapeVersion, layers.back());
    int fillBits = int(in.ub(4));
    int lineBits = int(in.ub(4));
    QPoint pen;
    int edgeCount = 0;
    int fill0 = 0, fill1 = 0, line = 0;
    auto checkIndex = [](int index, std::size_t count) {
        if (index < 0 || std::size_t(index) > count)
            throw ReadError("a shape uses a missing style");
        return index;
    };
    while (true) {
        const bool isEdge = in.ub(1);
        if (!isEdge) {
            const int flags = int(in.ub(5));
            if (flags == 0) break;  // end of shape
            if (flags & 0x01) {
                const int n = int(in.ub(5));
                const int x = in.sb(n), y = in.sb(n);
                pen = QPoint(x, y);
            }
            std::optional<int> newFill0, newFill1, newLine;
            if (flags & 0x02) newFill0 = int(in.ub(fillBits));
            if (flags & 0x04) newFill1 = int(in.ub(fillBits));
            if (flags & 0x08) newLine = int(in.ub(lineBits));
            if (flags & 0x10) {
                if (shapeVersion < 2) throw ReadError("a DefineShape has new styles");
                in.alignToByte();
                layers.emplace_back();
                readStyles(in, shapeVersion, layers.back());
                fillBits = int(in.ub(4));
                lineBits = int(in.ub(4));
                fill0 = fill1 = line = 0;
            }
            // Indices of the same record refer to the new arrays.
            const LayerEdges& current = layers.back();
            if (newFill0) fill0 = checkIndex(*newFill0, current.fills.size());
            if (newFill1) fill1 = checkIndex(*newFill1, current.fills.size());
            if (newLine) line = checkIndex(*newLine, current.lines.size());
            continue;
        }
        Edge e;
        e.fill0 = fill0;
        e.fill1 = fill1;
        e.line = line;
        e.from = pen;
        const bool straight = in.ub(1);
        const int n = int(in.ub(4)) + 2;
        if (straight) {
            int dx = 0, dy = 0;
            if (in.ub(1)) {
                dx = in.sb(n);
                dy = in.sb(n);
            } else if (in.ub(1)) {
                dy = in.sb(n);
            } else {
                dx = in.sb(n);
            }
            pen = moved(pen, dx, dy);
        } else {
            const int cx = in.sb(n), cy = in.sb(n), ax = in.sb(n), ay = in.sb(n);
            e.curve = true;
            e.control = moved(pen, cx, cy);
            pen = moved(e.control, ax, ay);
        }
        e.to = pen;
        if (++edgeCount > kMaxShapeEdges)
            throw ReadError("a shape has more than " + std::to_string(kMaxShapeEdges) + " edges");
        layers.back().edges.push_back(e);
    }
    in.alignToByte();

    // Each style of a layer walks all the layer's edges.
    std::int64_t work = 0;
    for (const LayerEdges& layer : layers)
        work += std::int64_t(layer.edges.size()) *
                std::int64_t(layer.fills.size() + layer.lines.size());
    if (work > kMaxShapeWork)
        throw ReadError("a shape has too many edges for its styles (" + std::to_string(work) +
                        " edge visits, at most " + std::to_string(kMaxShapeWork) + ")");

    for (const LayerEdges& layer : layers) shape.layers.push_back(buildLayer(layer, rule));
    int fillCount = 0;
    for (const ShapeLayer& layer : shape.layers) {
        for (const ShapeFill& f : layer.fills) {
            shape.coverage = fillCount == 0 ? f.path : shape.coverage.united(f.path);
            ++fillCount;
        }
    }
    shape.extent = paintedExtent(shape);
    return shape;
}

}  // namespace orvane::swf
