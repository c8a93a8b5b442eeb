#pragma once
// Which thumbnail a dragged thumbnail was dropped onto: the first other
// thumbnail, in index order, whose position lies less than 50 pixels from
// the dragged one's in both directions. With the grid's pitch of at least
// 170 pixels at most one qualifies. Pure function, any thread.

#include <QPoint>
#include <optional>
#include <vector>

namespace orvane {

inline constexpr int kDropReach = 50;

// `homes` are the grid positions of all thumbnails; `dropped` is where the
// top-left corner of thumbnail `dragged` was released.
std::optional<int> dropPartner(int dragged, QPoint dropped, const std::vector<QPoint>& homes);

}  // namespace orvane
