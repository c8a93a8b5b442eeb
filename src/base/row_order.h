#pragma once
// A new order of the rows of a table, as the drag-and-drop of the panes asks
// for it: order[j] is the old 0-based position of the row that now stands at
// position j. The same order is applied to the table, to the columns kept
// beside it and to the files numbered after its rows, so that all of them
// keep following the rows. Plain values; any thread.

#include <QStringList>
#include <cstddef>
#include <vector>

#include "base/error.h"
#include "base/table.h"

namespace orvane {

using RowOrder = std::vector<std::size_t>;

// Rows a and b change places; a == b leaves every row where it was.
RowOrder exchangedOrder(std::size_t count, std::size_t a, std::size_t b);
// The row at `from` goes to position `to`; the rows between move up or down by one.
RowOrder movedOrder(std::size_t count, std::size_t from, std::size_t to);

bool isIdentity(const RowOrder& order);

// Throws OrvaneError unless `order` holds each of 0 .. count-1 exactly once:
// a wrong order is a programming error of the caller.
void checkOrder(const RowOrder& order, std::size_t count);

// Puts the rows of `table` in the new order and renumbers their index.
template <typename Row>
void reorderRows(Table<Row>& table, const RowOrder& order) {
    checkOrder(order, table.size());
    std::vector<Row> rows;
    rows.reserve(order.size());
    for (std::size_t old : order) rows.push_back(table.at(old));
    table.assign(std::move(rows));
}

// The same for a column kept beside a table. A column shorter than the table
// (cells never written) is padded with empty cells first.
void reorderCells(QStringList& column, const RowOrder& order);

// The text editor's list drag: the selected rows (`selected`, any order) are
// pressed on row `pressed` and released on row `target` (`count` or more:
// below the last row). The block keeps its inner order and lands
//   - at the end, when released below the last row;
//   - at target − block size when the pressed row lies above the target,
//     at target when it lies below (so it ends just before the row that was
//     at the target);
// and nothing moves when every row is selected, nothing is selected, the
// target is the pressed row or lies above the first row. For a block that
// is not contiguous the position is clamped to the rows that remain.
RowOrder blockDropOrder(std::size_t count, std::vector<std::size_t> selected, int pressed,
                        int target);

}  // namespace orvane
