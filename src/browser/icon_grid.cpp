#include "browser/icon_grid.h"

#include <algorithm>

namespace orvane {

int gridColumns(int contentWidth, int thumbWidth) {
    if (contentWidth <= 0) return 0;
    return contentWidth / (thumbWidth + kGridGap);
}

QPoint gridPosition(int i, int columns, QSize thumb) {
    const int pitchX = thumb.width() + kGridGap;
    const int pitchY = thumb.height() + kGridGap;
    if (columns <= 0) return {kGridMargin + i * pitchX, kGridMargin};
    return {kGridMargin + (i % columns) * pitchX, kGridMargin + (i / columns) * pitchY};
}

IconGrid arrangeGrid(int count, QSize thumb, QSize pane, int scrollBarWidth) {
    IconGrid grid;
    grid.columns = gridColumns(pane.width() - scrollBarWidth, thumb.width());
    grid.pitch = QSize(thumb.width() + kGridGap, thumb.height() + kGridGap);
    grid.positions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) grid.positions.push_back(gridPosition(i, grid.columns, thumb));
    const int bottom =
        grid.positions.empty() ? 0 : grid.positions.back().y() + thumb.height() + kGridMargin;
    grid.contentHeight = std::max(bottom, pane.height());
    return grid;
}

}  // namespace orvane
