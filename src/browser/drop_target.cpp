#include "browser/drop_target.h"

#include <cstdlib>

namespace orvane {

std::optional<int> dropPartner(int dragged, QPoint dropped, const std::vector<QPoint>& homes) {
    for (int i = 0; i < static_cast<int>(homes.size()); ++i) {
        if (i == dragged) continue;
        const QPoint home = homes[static_cast<std::size_t>(i)];
        if (std::abs(dropped.x() - home.x()) < kDropReach &&
            std::abs(dropped.y() - home.y()) < kDropReach)
            return i;
    }
    return std::nullopt;
}

}  // namespace orvane
