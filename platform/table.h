// A table decoded into memory: column names and kinds, and every cell in its
// Jet text form, held in one text arena so that a million rows cost no heap
// string per cell.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bearing {

// How a column's values compare when ordering: numbers numerically, text as text.
enum class ValueKind : std::uint8_t { Text, Number };

// How the file stores a column, for checks that need more than the ordering
// kind; Unknown for a table that was not read from a file.
enum class StoredType : std::uint8_t {
    Unknown,
    Number,
    Currency,
    YesNo,
    DateTime,
    Text,
    Memo,
    Binary,
    Ole,
    ReplicationId,
    Other
};

struct Column {
    std::string name;
    ValueKind kind = ValueKind::Text;
    StoredType stored = StoredType::Unknown;
};

class Table {
public:
    Table(std::string name, std::vector<Column> columns);

    [[nodiscard]] const std::string& name() const { return m_name; }
    [[nodiscard]] const std::vector<Column>& columns() const { return m_columns; }
    [[nodiscard]] std::size_t columnCount() const { return m_columns.size(); }
    [[nodiscard]] std::size_t rowCount() const { return m_rowCount; }

    // Index of the column whose name equals `name` ignoring ASCII letter case, or -1.
    [[nodiscard]] int findColumn(std::string_view name) const;

    // The cell's Jet text form; std::nullopt for Null (distinct from empty text).
    [[nodiscard]] std::optional<std::string_view> cell(std::size_t row, std::size_t column) const
    {
        const Cell& c = m_cells[row * m_columns.size() + column];
        if (c.length == kNull)
            return std::nullopt;
        return std::string_view(m_arena.data() + c.offset, c.length);
    }

    // Rows are appended cell by cell, left to right; a row is complete after
    // columnCount() cells.
    void appendText(std::string_view text);
    void appendNull();

    void reserveRows(std::size_t rows);

    // Orders of all rows computed once and kept with the table, because a
    // decoded table serves every later search on the same file. `key` names
    // the order (its meaning is the caller's); nullptr until stored.
    [[nodiscard]] const std::vector<std::uint32_t>* cachedOrder(std::size_t key) const;
    const std::vector<std::uint32_t>& storeOrder(std::size_t key, std::vector<std::uint32_t> order) const;

private:
    struct Cell {
        std::uint32_t offset;
        std::uint32_t length; // kNull for Null
    };
    static constexpr std::uint32_t kNull = 0xFFFFFFFFu;

    void appendCell(Cell cell);

    std::string m_name;
    std::vector<Column> m_columns;
    std::string m_arena;
    std::vector<Cell> m_cells;
    std::size_t m_rowCount = 0;
    mutable std::map<std::size_t, std::vector<std::uint32_t>> m_orders;
};

// True when `a` and `b` are equal ignoring ASCII letter case.
[[nodiscard]] bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace bearing
