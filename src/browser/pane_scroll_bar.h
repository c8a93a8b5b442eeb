#pragma once
// The scroll bar of a pane, built from three images: a top cap, a middle
// piece and a bottom cap (the caps 14 × 17). It shows only when the content
// is taller than the pane; the middle piece is 2 × pane − content pixels
// high, never below 17. Dragging it moves the content so that the bar at its
// top shows the content's top and the bar at its bottom the content's end.
// Pure functions, any thread.

namespace orvane {

inline constexpr int kScrollCapWidth = 14;
inline constexpr int kScrollCapHeight = 17;
inline constexpr int kScrollMiddleMin = 17;

struct ScrollBarLayout {
    bool visible = false;
    int capTop = 0;  // top of the top cap; the middle and bottom cap follow
    int middleHeight = 0;
    int travel = 0;    // how far the bar can move: pane − bottom of the bar at rest
    int overflow = 0;  // content height − pane height

    int middleTop() const { return capTop + kScrollCapHeight; }
    int bottomCapTop() const { return middleTop() + middleHeight; }
};

// The bar at rest (at the top) for a content of `contentHeight` in a pane of
// `paneHeight`.
ScrollBarLayout scrollBarFor(int paneHeight, int contentHeight);

struct ScrollPosition {
    int capTop = 0;      // where the bar stands after the move
    int contentTop = 0;  // where the content panel goes: between −overflow and 0
};

// The bar dragged so that its middle piece would start at `middleTop`
// (cursor y − pane top − grab offset): it is kept inside the pane and the
// content follows. When the travel is 0 or less (content at most 34 pixels
// taller than the pane) the bar cannot move; the content then follows the
// drag pixel for pixel, within its bounds.
ScrollPosition dragScrollBar(const ScrollBarLayout& bar, int paneHeight, int middleTop);

}  // namespace orvane
