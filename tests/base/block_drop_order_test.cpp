// The text editor's list drag: where a block of selected rows lands.

#include <gtest/gtest.h>

#include "base/row_order.h"

namespace orvane {
namespace {

struct DropCase {
    const char* what;
    std::size_t count;
    std::vector<std::size_t> selected;
    int pressed;
    int target;
    RowOrder expected;
};

TEST(BlockDropOrder, PlacesTheBlockAsTheDragRulesSay) {
    const DropCase cases[] = {
        // Rows 2 and 3 of five dropped on row 5: they end before the row
        // that was fifth.
        {"down onto the last row", 5, {1, 2}, 1, 4, {0, 3, 1, 2, 4}},
        {"pressed on the block's second row", 5, {1, 2}, 2, 4, {0, 3, 1, 2, 4}},
        {"below the last row goes to the end", 5, {1}, 1, 5, {0, 2, 3, 4, 1}},
        {"far below the last row", 5, {0, 1}, 0, 40, {2, 3, 4, 0, 1}},
        {"up onto the first row", 5, {3, 4}, 3, 0, {3, 4, 0, 1, 2}},
        {"up onto a middle row", 5, {3}, 3, 1, {0, 3, 1, 2, 4}},
        {"dropped on the pressed row", 5, {1, 2}, 2, 2, {0, 1, 2, 3, 4}},
        {"every row selected", 5, {0, 1, 2, 3, 4}, 1, 4, {0, 1, 2, 3, 4}},
        {"nothing selected", 5, {}, 1, 4, {0, 1, 2, 3, 4}},
        {"above the first row (the header)", 5, {2}, 2, -1, {0, 1, 2, 3, 4}},
        // Not contiguous: rows keep their order within the block and the
        // position stays within the remaining rows.
        {"scattered block", 6, {4, 0}, 0, 5, {1, 2, 3, 0, 4, 5}},
        {"scattered block at the start", 4, {1, 3}, 3, 0, {1, 3, 0, 2}},
    };
    for (const DropCase& c : cases) {
        SCOPED_TRACE(c.what);
        const RowOrder order = blockDropOrder(c.count, c.selected, c.pressed, c.target);
        EXPECT_EQ(order, c.expected);
        checkOrder(order, c.count);
    }
}

}  // namespace
}  // namespace orvane
