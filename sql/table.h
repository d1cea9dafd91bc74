// A table decoded into memory: column names and kinds, and every cell in its
// Jet text form, held in one text arena so that a million rows cost no heap
// string per cell.
#pragma once

#include "platform/growing_buffer.h"
#include "sql/bigram_mask.h"

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <span>
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
    // Where a cell's text lies in the arena.
    struct Cell {
        std::uint32_t offset;
        std::uint32_t length; // kNull for Null
    };
    static constexpr std::uint32_t kNull = 0xFFFFFFFFu;

    // An empty table, filled by appending cells.
    Table(std::string name, std::vector<Column> columns);

    // A complete table whose cells, text and kept orders lie in memory that
    // `owner` keeps alive (a mapped file). The caller has checked that every
    // cell lies inside `text` and every order holds row numbers only.
    Table(std::string name, std::vector<Column> columns, std::size_t rowCount,
          std::span<const Cell> cells, std::string_view text,
          std::map<std::size_t, std::span<const std::uint32_t>> orders,
          std::shared_ptr<const void> owner);

    [[nodiscard]] const std::string& name() const { return m_name; }
    [[nodiscard]] const std::vector<Column>& columns() const { return m_columns; }
    [[nodiscard]] std::size_t columnCount() const { return m_columns.size(); }
    [[nodiscard]] std::size_t rowCount() const { return m_rowCount; }

    // Index of the column whose name equals `name` ignoring ASCII letter case, or -1.
    [[nodiscard]] int findColumn(std::string_view name) const;

    // The cell's Jet text form; std::nullopt for Null (distinct from empty text).
    [[nodiscard]] std::optional<std::string_view> cell(std::size_t row, std::size_t column) const {
        const Cell& c = m_cellView[row * m_columns.size() + column];
        if (c.length == kNull)
            return std::nullopt;
        return std::string_view(m_textView + c.offset, c.length);
    }

    // Every cell, row by row, and the arena their text lies in.
    [[nodiscard]] std::span<const Cell> cells() const {
        return {m_cellView, m_rowCount * m_columns.size()};
    }
    [[nodiscard]] std::string_view text() const { return {m_textView, m_textSize}; }

    // Rows are appended cell by cell, left to right; a row is complete after
    // columnCount() cells.
    void appendText(std::string_view text);
    void appendNull();

    // Moves every row of `rows`, a table of the same columns built by
    // appending too, after the rows already here, and leaves `rows` empty.
    void appendRows(Table&& rows);

    // Room for `rows` rows holding `textBytes` bytes of text, made once so
    // that filling the table does not grow its memory page by page.
    void reserve(std::size_t rows, std::size_t textBytes);

    // Orders of all rows computed once and kept with the table, because a
    // decoded table serves every later search on the same file. `key` names
    // the order (its meaning is the caller's); nullopt until stored.
    [[nodiscard]] std::optional<std::span<const std::uint32_t>> cachedOrder(std::size_t key) const;
    std::span<const std::uint32_t> storeOrder(std::size_t key,
                                              std::vector<std::uint32_t> order) const;
    [[nodiscard]] const std::map<std::size_t, std::span<const std::uint32_t>>& orders() const {
        return m_orders;
    }

    // Every row's bigram mask (0 for Null) of each of `columns`, in their
    // order. Computed the first time in one pass over the rows, which shares
    // the reads of their text, on two processor cores; kept for the same
    // reason as the orders.
    [[nodiscard]] std::vector<std::span<const BigramMask>>
    bigramMasks(std::span<const std::size_t> columns) const;

  private:
    void appendCell(Cell cell);

    std::string m_name;
    std::vector<Column> m_columns;
    GrowingBuffer<char> m_text;
    GrowingBuffer<Cell> m_cells;
    // Where cells and text are read from: the buffers above while building,
    // the owner's memory for a table handed over complete.
    const Cell* m_cellView = nullptr;
    const char* m_textView = nullptr;
    std::size_t m_textSize = 0;
    std::size_t m_rowCount = 0;
    std::shared_ptr<const void> m_owner;
    mutable std::map<std::size_t, std::span<const std::uint32_t>> m_orders;
    mutable std::list<std::vector<std::uint32_t>> m_ownedOrders;
    mutable std::map<std::size_t, GrowingBuffer<BigramMask>> m_masks;
};

} // namespace bearing
