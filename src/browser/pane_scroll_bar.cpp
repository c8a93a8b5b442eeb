#include "browser/pane_scroll_bar.h"

#include <algorithm>

namespace orvane {

ScrollBarLayout scrollBarFor(int paneHeight, int contentHeight) {
    ScrollBarLayout bar;
    bar.visible = contentHeight > paneHeight;
    bar.middleHeight = std::max(2 * paneHeight - contentHeight, kScrollMiddleMin);
    bar.travel = paneHeight - (bar.bottomCapTop() + kScrollCapHeight);
    bar.overflow = std::max(contentHeight - paneHeight, 0);
    return bar;
}

ScrollPosition dragScrollBar(const ScrollBarLayout& bar, int paneHeight, int middleTop) {
    ScrollPosition pos;
    if (bar.overflow <= 0) return pos;
    const int barHeight = 2 * kScrollCapHeight + bar.middleHeight;
    if (bar.travel <= 0) {
        // The bar fills the pane: it stays, the drag distance scrolls.
        const int moved = middleTop - kScrollCapHeight;
        pos.contentTop = std::clamp(-moved, -bar.overflow, 0);
        return pos;
    }
    int capTop = middleTop - kScrollCapHeight;
    if (capTop <= 0) capTop = 0;
    if (capTop + barHeight >= paneHeight) capTop = paneHeight - barHeight;
    pos.capTop = capTop;
    const int bottomCapTop = capTop + kScrollCapHeight + bar.middleHeight;
    const int below = paneHeight - bottomCapTop - kScrollCapHeight;
    pos.contentTop = std::clamp(below * bar.overflow / bar.travel - bar.overflow, -bar.overflow, 0);
    return pos;
}

}  // namespace orvane
