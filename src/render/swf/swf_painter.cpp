#include "render/swf/swf_painter.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace orvane::swf {

namespace {

constexpr std::size_t kTintedCacheSize = 8;

double opacityOf(const ColorTransform& cx) { return std::clamp(cx.multA / 256.0, 0.0, 1.0); }

bool isInvisible(const ColorTransform& cx) { return cx.multA <= 0 && cx.addA <= 0; }

QGradient::Spread spreadOf(SpreadMode mode) {
    switch (mode) {
        case SpreadMode::Reflect:
            return QGradient::ReflectSpread;
        case SpreadMode::Repeat:
            return QGradient::RepeatSpread;
        case SpreadMode::Pad:
            break;
    }
    return QGradient::PadSpread;
}

double deviceScale(const QTransform& t) { return std::sqrt(std::fabs(t.determinant())); }

}  // namespace

namespace {

struct StagePlacement {
    double scale;  // device pixels per stage pixel
    QRectF rect;   // the stage in device pixels
};

StagePlacement placeStage(const Movie& movie, QSize size) {
    const double stageW = movie.stage.width() / 20.0;
    const double stageH = movie.stage.height() / 20.0;
    const double scale = std::min(size.width() / stageW, size.height() / stageH);
    return {scale, QRectF((size.width() - stageW * scale) / 2, (size.height() - stageH * scale) / 2,
                          stageW * scale, stageH * scale)};
}

}  // namespace

QTransform stageToDevice(const Movie& movie, QSize size) {
    const StagePlacement stage = placeStage(movie, size);
    return QTransform(stage.scale / 20.0, 0, 0, stage.scale / 20.0,
                      stage.rect.x() - movie.stage.x() * stage.scale / 20.0,
                      stage.rect.y() - movie.stage.y() * stage.scale / 20.0);
}

void Painter::paint(const Player& player, QImage& target) {
    paint(player, target, QRegion(target.rect()));
}

void Painter::paint(const Player& player, QImage& target, const QRegion& area) {
    ++m_paintCount;
    m_movie = &player.movie();
    QPainter p(&target);
    if (area.rectCount() == 1)
        p.setClipRect(area.boundingRect());
    else
        p.setClipRegion(area);
    // Black bars outside the stage, the background colour inside.
    const QRect inner =
        placeStage(*m_movie, target.size()).rect.toAlignedRect().intersected(target.rect());
    if (inner != target.rect()) {
        QRegion outside(target.rect());
        outside -= QRegion(inner);
        for (const QRect& r : outside) p.fillRect(r, Qt::black);
    }
    p.fillRect(inner, m_movie->background);
    p.setClipRect(inner, Qt::IntersectClip);
    p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    paintClip(p, player.root(), stageToDevice(*m_movie, target.size()), ColorTransform{}, 0);
}

void Painter::paintClip(QPainter& p, const Clip& clip, const QTransform& world,
                        const ColorTransform& cx, int level) {
    if (level > kMaxNesting) return;
    if (clip.picture) {
        // A picture with a pixel ratio r holds r pixels per stage pixel.
        const double twips = 20.0 / clip.picture->devicePixelRatio();
        paintPicture(p, *clip.picture, QTransform::fromScale(twips, twips) * world, cx, true);
    }
    std::vector<Mask> masks;
    p.save();
    for (const auto& [depth, object] : clip.displayList) {
        if (!masks.empty()) {
            const auto before = masks.size();
            std::erase_if(masks, [&](const Mask& m) { return m.untilDepth < depth; });
            if (masks.size() != before) applyMasks(p, masks);
        }
        if (object.clipDepth > 0) {
            std::int64_t shapesLeft = kMaxMaskShapes;
            masks.push_back({object.clipDepth, maskPath(object, world, level, shapesLeft)});
            applyMasks(p, masks);
            continue;
        }
        paintObject(p, object, world, cx, level);
    }
    p.restore();
}

void Painter::applyMasks(QPainter& p, const std::vector<Mask>& masks) {
    p.restore();
    p.save();
    p.setWorldTransform(QTransform());
    for (const Mask& m : masks) p.setClipPath(m.path, Qt::IntersectClip);
}

QPainterPath Painter::maskPath(const DisplayObject& o, const QTransform& world, int level,
                               std::int64_t& shapesLeft) const {
    const QTransform t = o.matrix * world;
    if (const auto* shape = std::get_if<Shape>(o.character)) {
        if (shapesLeft <= 0) return {};
        --shapesLeft;
        return t.map(shape->coverage);
    }
    QPainterPath result;
    if (!o.clip || level > kMaxNesting) return result;
    if (o.clip->picture) {
        // A picture that loadMovie put into a clip of the mask counts as one
        // shape: the file check never sees it.
        if (shapesLeft <= 0) return result;
        --shapesLeft;
        const double twips = 20.0 / o.clip->picture->devicePixelRatio();
        result.addPolygon(t.map(QPolygonF(
            QRectF(0, 0, o.clip->picture->width() * twips, o.clip->picture->height() * twips))));
    }
    for (const auto& [depth, child] : o.clip->displayList) {
        if (child.clipDepth > 0) continue;
        if (shapesLeft <= 0) break;
        const QPainterPath part = maskPath(child, t, level + 1, shapesLeft);
        result = result.isEmpty() ? part : result.united(part);
    }
    return result;
}

void Painter::paintObject(QPainter& p, const DisplayObject& o, const QTransform& world,
                          const ColorTransform& cx, int level) {
    const QTransform t = o.matrix * world;
    const ColorTransform total = o.colorTransform.then(cx);
    if (isInvisible(total)) return;
    if (o.clip) {
        paintClip(p, *o.clip, t, total, level + 1);
    } else if (const auto* shape = std::get_if<Shape>(o.character)) {
        paintShape(p, *shape, t, total);
    }
}

QBrush Painter::brushFor(const FillStyle& style, const ColorTransform& cx) {
    const bool alphaOnly = cx.isAlphaOnly();
    auto colour = [&](const QColor& c) { return alphaOnly ? c : cx.apply(c); };
    switch (style.kind) {
        case FillStyle::Kind::Solid:
            return QBrush(colour(style.color));
        case FillStyle::Kind::LinearGradient:
        case FillStyle::Kind::RadialGradient:
        case FillStyle::Kind::FocalGradient: {
            const Gradient& g = style.gradient;
            QGradientStops stops;
            stops.reserve(qsizetype(g.stops.size()));
            for (const auto& [ratio, c] : g.stops) stops.push_back({ratio, colour(c)});
            QBrush brush;
            if (style.kind == FillStyle::Kind::LinearGradient) {
                QLinearGradient lg(-16384, 0, 16384, 0);
                lg.setStops(stops);
                lg.setSpread(spreadOf(g.spread));
                brush = QBrush(lg);
            } else {
                QRadialGradient rg(QPointF(0, 0), 16384, QPointF(g.focalPoint * 16384, 0));
                rg.setStops(stops);
                rg.setSpread(spreadOf(g.spread));
                brush = QBrush(rg);
            }
            brush.setTransform(g.matrix);
            return brush;
        }
        case FillStyle::Kind::Bitmap:
            break;
    }
    return QBrush(Qt::NoBrush);
}

void Painter::paintShape(QPainter& p, const Shape& shape, const QTransform& world,
                         const ColorTransform& cx) {
    const bool alphaOnly = cx.isAlphaOnly();
    p.setOpacity(alphaOnly ? opacityOf(cx) : 1.0);
    p.setWorldTransform(world);
    const double scale = deviceScale(world);
    for (const ShapeLayer& layer : shape.layers) {
        for (const ShapeFill& fill : layer.fills) {
            if (fill.style.kind == FillStyle::Kind::Bitmap) {
                paintBitmapFill(p, fill, world, cx);
                continue;
            }
            p.fillPath(fill.path, brushFor(fill.style, cx));
        }
        for (const ShapeStroke& stroke : layer.strokes) {
            const LineStyle& s = stroke.style;
            QBrush brush =
                s.fill ? brushFor(*s.fill, cx) : QBrush(alphaOnly ? s.color : cx.apply(s.color));
            QPen pen(brush, s.width, Qt::SolidLine, s.cap, s.join);
            pen.setMiterLimit(s.miterLimit);
            if (s.width * scale < 1.0) {  // strokes are at least one device pixel wide
                pen.setWidthF(1.0);
                pen.setCosmetic(true);
            }
            p.strokePath(stroke.path, pen);
        }
    }
    p.setOpacity(1.0);
}

void Painter::paintBitmapFill(QPainter& p, const ShapeFill& fill, const QTransform& world,
                              const ColorTransform& cx) {
    const FillStyle& style = fill.style;
    const auto* bitmap = std::get_if<Bitmap>(m_movie->character(style.bitmapId));
    if (!bitmap || bitmap->image.isNull()) return;  // unknown bitmap: the fill is skipped
    const QImage& image = cx.isAlphaOnly() ? bitmap->image : tinted(bitmap->image, cx);
    const QRectF imageRect(0, 0, image.width(), image.height());
    const QTransform bitmapToDevice = style.bitmapMatrix * world;
    bool invertible = false;
    const QTransform shapeToBitmap = style.bitmapMatrix.inverted(&invertible);
    if (!invertible) return;
    p.setRenderHint(QPainter::SmoothPixmapTransform, style.smoothed);
    if (fill.rect) {
        // The outline is a rectangle: draw the part of the image it shows.
        const QRectF source = shapeToBitmap.mapRect(*fill.rect);
        const QRectF inside = source.adjusted(0.01, 0.01, -0.01, -0.01);
        if (imageRect.contains(inside)) {
            drawImagePart(p, image, source, bitmapToDevice);
            p.setWorldTransform(world);
            p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            return;
        }
    }
    if (style.repeating) {
        QBrush brush(image);
        brush.setTransform(style.bitmapMatrix);
        p.fillPath(fill.path, brush);
    } else {
        // Clipped: outside the image its edge pixels are extended.
        p.save();
        p.setClipPath(fill.path, Qt::IntersectClip);
        p.setWorldTransform(bitmapToDevice);
        const QRectF need = shapeToBitmap.mapRect(fill.path.boundingRect()).united(imageRect);
        const double w = image.width(), h = image.height();
        p.drawImage(imageRect, image);
        if (need.left() < 0)
            p.drawImage(QRectF(need.left(), 0, -need.left(), h), image, QRectF(0, 0, 1, h));
        if (need.right() > w)
            p.drawImage(QRectF(w, 0, need.right() - w, h), image, QRectF(w - 1, 0, 1, h));
        if (need.top() < 0)
            p.drawImage(QRectF(0, need.top(), w, -need.top()), image, QRectF(0, 0, w, 1));
        if (need.bottom() > h)
            p.drawImage(QRectF(0, h, w, need.bottom() - h), image, QRectF(0, h - 1, w, 1));
        auto corner = [&](double x0, double y0, double x1, double y1, int px, int py) {
            if (x1 > x0 && y1 > y0)
                p.fillRect(QRectF(QPointF(x0, y0), QPointF(x1, y1)),
                           QColor::fromRgba(qUnpremultiply(image.pixel(px, py))));
        };
        corner(need.left(), need.top(), 0, 0, 0, 0);
        corner(w, need.top(), need.right(), 0, image.width() - 1, 0);
        corner(need.left(), h, 0, need.bottom(), 0, image.height() - 1);
        corner(w, h, need.right(), need.bottom(), image.width() - 1, image.height() - 1);
        p.restore();
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void Painter::paintPicture(QPainter& p, const QImage& picture, const QTransform& world,
                           const ColorTransform& cx, bool smooth) {
    if (isInvisible(cx) || picture.isNull()) return;
    const bool alphaOnly = cx.isAlphaOnly();
    p.setOpacity(alphaOnly ? opacityOf(cx) : 1.0);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    const QImage& image = alphaOnly ? picture : tinted(picture, cx);
    drawImagePart(p, image, QRectF(0, 0, image.width(), image.height()), world);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.setOpacity(1.0);
}

void Painter::drawImagePart(QPainter& p, const QImage& image, const QRectF& source,
                            const QTransform& imageToDevice) {
    // Always resampled through the transform (smoothly or not, as the render
    // hint says): a cached reduced copy was tried, but it made a frame's
    // pixels depend on what was painted before and was slower on the
    // templates' median.
    p.setWorldTransform(imageToDevice);
    p.drawImage(source, image, source);
}

const QImage& Painter::tinted(const QImage& source, const ColorTransform& cx) {
    const qint64 key = source.cacheKey();
    TintedImage* slot = nullptr;
    for (TintedImage& t : m_tinted) {
        if (t.sourceKey == key) {
            slot = &t;
            break;
        }
    }
    if (slot && slot->transform == cx && !slot->image.isNull()) {
        slot->lastUse = m_paintCount;
        return slot->image;
    }
    if (!slot) {
        if (m_tinted.size() < kTintedCacheSize) {
            slot = &m_tinted.emplace_back();
        } else {
            slot = &*std::min_element(
                m_tinted.begin(), m_tinted.end(),
                [](const TintedImage& a, const TintedImage& b) { return a.lastUse < b.lastUse; });
            slot->image = QImage();
        }
    }
    slot->sourceKey = key;
    slot->transform = cx;
    slot->lastUse = m_paintCount;
    // The same source seen with another transform reuses the buffer.
    if (slot->image.size() != source.size() ||
        slot->image.format() != QImage::Format_ARGB32_Premultiplied)
        slot->image = QImage(source.size(), QImage::Format_ARGB32_Premultiplied);
    std::array<std::uint8_t, 256> lr, lg, lb, la;
    for (int v = 0; v < 256; ++v) {
        lr[v] = std::uint8_t(std::clamp(v * cx.multR / 256 + cx.addR, 0, 255));
        lg[v] = std::uint8_t(std::clamp(v * cx.multG / 256 + cx.addG, 0, 255));
        lb[v] = std::uint8_t(std::clamp(v * cx.multB / 256 + cx.addB, 0, 255));
        la[v] = std::uint8_t(std::clamp(v * cx.multA / 256 + cx.addA, 0, 255));
    }
    // RGB32 pixels are premultiplied pixels with alpha 255.
    const bool direct = source.format() == QImage::Format_ARGB32_Premultiplied ||
                        source.format() == QImage::Format_RGB32;
    const QImage& src =
        direct ? source
               : (slot->image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    for (int y = 0; y < src.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(slot->image.scanLine(y));
        for (int x = 0; x < src.width(); ++x) {
            const QRgb c = qUnpremultiply(in[x]);
            out[x] = qPremultiply(qRgba(lr[qRed(c)], lg[qGreen(c)], lb[qBlue(c)], la[qAlpha(c)]));
        }
    }
    return slot->image;
}

}  // namespace orvane::swf
