#pragma once
// An ordered table of rows. Rows whose type has an `index` field keep it as
// their 1-based position in decimal text: an append writes the new count and
// a removal renumbers every row 1..n. Rows are otherwise plain records.

#include <QString>
#include <cstddef>
#include <stdexcept>
#include <vector>

namespace orvane {

template <typename Row>
concept IndexedRow = requires(Row r) {
    r.index = QString();
};

template <typename Row>
class Table {
   public:
    std::size_t size() const { return m_rows.size(); }
    int count() const { return static_cast<int>(m_rows.size()); }
    bool empty() const { return m_rows.empty(); }

    const Row& at(std::size_t i) const { return m_rows.at(i); }
    Row& at(std::size_t i) { return m_rows.at(i); }
    const std::vector<Row>& rows() const { return m_rows; }

    auto begin() { return m_rows.begin(); }
    auto end() { return m_rows.end(); }
    auto begin() const { return m_rows.begin(); }
    auto end() const { return m_rows.end(); }

    // Appends `row`; an indexed row gets the new row count as its index.
    Row& append(Row row) {
        m_rows.push_back(std::move(row));
        if constexpr (IndexedRow<Row>) m_rows.back().index = QString::number(m_rows.size());
        return m_rows.back();
    }

    // Inserts `row` before position `i` and renumbers.
    void insert(std::size_t i, Row row) {
        if (i > m_rows.size()) throw std::out_of_range("Table::insert");
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(i), std::move(row));
        renumber();
    }

    void removeAt(std::size_t i) {
        if (i >= m_rows.size()) throw std::out_of_range("Table::removeAt");
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(i));
        renumber();
    }

    // Removes every row for which `pred` holds, then renumbers.
    template <typename Pred>
    void removeIf(Pred pred) {
        std::erase_if(m_rows, pred);
        renumber();
    }

    void clear() { m_rows.clear(); }

    // Replaces the whole content (for example after a reorder) and renumbers.
    void assign(std::vector<Row> rows) {
        m_rows = std::move(rows);
        renumber();
    }

    bool operator==(const Table&) const = default;

    void renumber() {
        if constexpr (IndexedRow<Row>) {
            for (std::size_t i = 0; i < m_rows.size(); ++i)
                m_rows[i].index = QString::number(i + 1);
        }
    }

   private:
    std::vector<Row> m_rows;
};

}  // namespace orvane
