#include "base/row_order.h"

#include <algorithm>
#include <numeric>

namespace orvane {

RowOrder exchangedOrder(std::size_t count, std::size_t a, std::size_t b) {
    if (a >= count || b >= count)
        throw OrvaneError(QStringLiteral("cannot exchange rows %1 and %2 of %3")
                              .arg(a + 1)
                              .arg(b + 1)
                              .arg(count));
    RowOrder order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::swap(order[a], order[b]);
    return order;
}

RowOrder movedOrder(std::size_t count, std::size_t from, std::size_t to) {
    if (from >= count || to >= count)
        throw OrvaneError(
            QStringLiteral("cannot move row %1 to %2 of %3").arg(from + 1).arg(to + 1).arg(count));
    RowOrder order(count);
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto at = [&](std::size_t i) { return order.begin() + static_cast<std::ptrdiff_t>(i); };
    if (from < to)
        std::rotate(at(from), at(from + 1), at(to + 1));
    else
        std::rotate(at(to), at(from), at(from + 1));
    return order;
}

bool isIdentity(const RowOrder& order) {
    for (std::size_t j = 0; j < order.size(); ++j)
        if (order[j] != j) return false;
    return true;
}

void checkOrder(const RowOrder& order, std::size_t count) {
    std::vector<bool> seen(count, false);
    bool ok = order.size() == count;
    for (std::size_t old : order) {
        if (!ok) break;
        ok = old < count && !seen[old];
        if (ok) seen[old] = true;
    }
    if (!ok)
        throw OrvaneError(
            QStringLiteral("a new order of %1 rows must name each row once").arg(count));
}

void reorderCells(QStringList& column, const RowOrder& order) {
    checkOrder(order, order.size());
    while (column.size() < static_cast<qsizetype>(order.size())) column << QString();
    QStringList reordered;
    reordered.reserve(column.size());
    for (std::size_t old : order) reordered << column[static_cast<qsizetype>(old)];
    // Cells beyond the rows (none in a consistent pane) stay at the end.
    for (qsizetype i = static_cast<qsizetype>(order.size()); i < column.size(); ++i)
        reordered << column[i];
    column = std::move(reordered);
}

RowOrder blockDropOrder(std::size_t count, std::vector<std::size_t> selected, int pressed,
                        int target) {
    RowOrder identity(count);
    for (std::size_t i = 0; i < count; ++i) identity[i] = i;
    std::sort(selected.begin(), selected.end());
    selected.erase(std::unique(selected.begin(), selected.end()), selected.end());
    std::erase_if(selected, [count](std::size_t row) { return row >= count; });
    if (selected.empty() || selected.size() == count || target < 0 || target == pressed)
        return identity;

    RowOrder rest;
    for (std::size_t i = 0; i < count; ++i)
        if (!std::binary_search(selected.begin(), selected.end(), i)) rest.push_back(i);
    std::size_t at = rest.size();
    if (static_cast<std::size_t>(target) < count) {
        const long long block = static_cast<long long>(selected.size());
        const long long p = pressed < target ? target - block : target;
        at = static_cast<std::size_t>(
            std::clamp<long long>(p, 0, static_cast<long long>(rest.size())));
    }
    RowOrder order(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(at));
    order.insert(order.end(), selected.begin(), selected.end());
    order.insert(order.end(), rest.begin() + static_cast<std::ptrdiff_t>(at), rest.end());
    return order;
}

}  // namespace orvane
