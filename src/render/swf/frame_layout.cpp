#include "render/swf/frame_layout.h"

#include <cmath>

#include "render/swf/swf_painter.h"
#include "render/swf/swf_player.h"

namespace orvane::swf {

namespace {

// Antialiased edges and smoothed pictures reach a pixel past the outline;
// one more for rounding.
constexpr int kMargin = 2;

bool isFinite(const QRectF& r) {
    return std::isfinite(r.left()) && std::isfinite(r.top()) && std::isfinite(r.right()) &&
           std::isfinite(r.bottom());
}

// `area` (in the object's coordinates) as device pixels, cut to the target
// and its margin. A transform that overflowed covers the whole target.
QRect deviceRect(const QTransform& world, const QRectF& area, QSize target) {
    if (area.width() < 0 || area.height() < 0) return {};
    const QRectF limit =
        QRectF(QPointF(0, 0), QSizeF(target)).adjusted(-kMargin, -kMargin, kMargin, kMargin);
    const QRectF mapped = world.mapRect(area);
    if (!isFinite(mapped)) return limit.toRect();
    const QRectF cut = mapped.adjusted(-kMargin, -kMargin, kMargin, kMargin).intersected(limit);
    return cut.isEmpty() ? QRect() : cut.toAlignedRect();
}

}  // namespace

bool FrameLayout::Node::paintsLike(const Node& other) const {
    return depth == other.depth && character == other.character && picture == other.picture &&
           pictureKey == other.pictureKey && world == other.world && color == other.color &&
           clipDepth == other.clipDepth;
}

FrameLayout FrameLayout::of(const Player& player, QSize target) {
    FrameLayout layout;
    layout.m_movie = &player.movie();
    layout.m_target = target;
    layout.m_root.world = stageToDevice(player.movie(), target);
    addClip(layout.m_root, player.root(), target, 0);
    return layout;
}

// Mirrors Painter::paintClip and paintObject: the same transforms, the same
// nesting bound.
void FrameLayout::addClip(Node& node, const Clip& clip, QSize target, int level) {
    if (level > kMaxNesting) return;
    if (clip.picture) {
        node.picture = clip.picture.get();
        node.pictureKey = clip.picture->cacheKey();
        const double twips = 20.0 / clip.picture->devicePixelRatio();
        node.bounds |=
            deviceRect(QTransform::fromScale(twips, twips) * node.world,
                       QRectF(0, 0, clip.picture->width(), clip.picture->height()), target);
    }
    node.children.reserve(clip.displayList.size());
    for (const auto& [depth, object] : clip.displayList) {
        Node& child = node.children.emplace_back();
        child.depth = depth;
        child.character = object.character;
        child.world = object.matrix * node.world;
        child.color = object.colorTransform.then(node.color);
        child.clipDepth = object.clipDepth;
        if (object.clip) {
            addClip(child, *object.clip, target, level + 1);
        } else if (const auto* shape = std::get_if<Shape>(object.character)) {
            child.bounds = deviceRect(child.world, shape->extent, target);
        }
        node.bounds |= child.bounds;
    }
}

void FrameLayout::addChanges(const Node& before, const Node& after, std::vector<QRect>& changed) {
    if (!before.paintsLike(after)) {
        changed.push_back(before.bounds);
        changed.push_back(after.bounds);
        return;
    }
    addChanges(before.children, after.children, changed);
}

// Both lists run from low to high depth, as the display lists they mirror.
void FrameLayout::addChanges(const std::vector<Node>& before, const std::vector<Node>& after,
                             std::vector<QRect>& changed) {
    auto b = before.begin();
    auto a = after.begin();
    while (b != before.end() || a != after.end()) {
        if (a == after.end() || (b != before.end() && b->depth < a->depth)) {
            changed.push_back((b++)->bounds);  // removed
        } else if (b == before.end() || a->depth < b->depth) {
            changed.push_back((a++)->bounds);  // placed
        } else {
            addChanges(*b++, *a++, changed);
        }
    }
}

QRegion FrameLayout::changedArea(const FrameLayout& next) const {
    const QRect whole(QPoint(0, 0), next.m_target);
    if (m_movie != next.m_movie || m_target != next.m_target) return QRegion(whole);
    std::vector<QRect> changed;
    addChanges(m_root, next.m_root, changed);
    // Whole rows: a picture drawn through a transform is sampled along each
    // row from where its painting starts, so a clip that starts the row
    // elsewhere would round some pixels differently from a whole paint.
    QRegion area;
    for (const QRect& r : changed)
        if (!r.isEmpty()) area += QRect(0, r.top(), whole.width(), r.height()) & whole;
    return area;
}

}  // namespace orvane::swf
