#pragma once
// Where the thumbnails of a pane stand: a grid with a 10-pixel margin and
// 20 pixels between thumbnails, as many columns as the width left of the
// scroll bar holds. A pane narrower than one pitch puts every thumbnail in
// one row. Pure functions, any thread.

#include <QPoint>
#include <QSize>
#include <vector>

namespace orvane {

inline constexpr int kGridMargin = 10;
inline constexpr int kGridGap = 20;

struct IconGrid {
    int columns = 0;        // 0: a pane narrower than one pitch, one row
    QSize pitch;            // thumbnail size + the gap
    int contentHeight = 0;  // at least the pane height
    std::vector<QPoint> positions;
};

// The columns a content width holds for thumbnails `thumbWidth` wide.
int gridColumns(int contentWidth, int thumbWidth);

// The top-left corner of thumbnail i.
QPoint gridPosition(int i, int columns, QSize thumb);

// The whole grid of `count` thumbnails in a pane of `pane` pixels whose
// scroll bar takes `scrollBarWidth` of its width.
IconGrid arrangeGrid(int count, QSize thumb, QSize pane, int scrollBarWidth);

}  // namespace orvane
