// Third stage of the statement engine: runs a statement over an in-memory table.
#pragma once

#include "sql/row_order.h"
#include "sql/table.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace bearing {

// The table a statement names, or nullptr when there is none. Matching the
// name (ignoring case) is the resolver's business.
using TableResolver = std::function<std::shared_ptr<const Table>(std::string_view name)>;

// The selected table and the indexes of its matching rows in result order;
// rows are never copied, the catalogue can hold a million of them.
struct SelectResult {
    std::shared_ptr<const Table> table;
    std::vector<std::uint32_t> rows;
    // The statement's ORDER BY, for a caller keeping the table's order for later.
    std::optional<SortKey> order;
};

inline constexpr std::size_t kMaskedFromRows = 250'000; // smaller ones scan faster than masks build

struct SelectPlan {
    // Tables of this many rows or more have rows ruled out by bigram masks
    // before their text is searched. The masks are built at a table's first
    // filtered search and kept for the later ones.
    std::size_t maskedFromRows = kMaskedFromRows;
    // Whether later statements search the table too: an ordered search then
    // orders every row once and keeps the order for them. Without, a few
    // matches on a table whose order is not kept yet are sorted alone.
    bool searchedAgain = true;
};

// A process that searches once earns back neither masks nor orders.
inline constexpr SelectPlan kOneSearchOnly{std::numeric_limits<std::size_t>::max(), false};

// Parses `statement`, resolves its table and column names, and returns the
// rows its condition holds for, in ORDER BY order when it has one and in table
// order otherwise. Text comparisons (=, <>, <, >, LIKE) ignore letter case;
// = and the other comparisons are numeric only when both sides are numbers
// (a Number column or a number literal), otherwise both sides compare through
// their text form. A Null cell satisfies no comparison. Throws StatementError
// with the user's message on any error in the statement. The rows are written
// into `rowStorage`'s memory, so that a caller running statement after
// statement reuses memory it has already touched. `plan` says how much the
// statement prepares its table for the statements after it; the rows selected
// are the same whatever it says.
[[nodiscard]] SelectResult runSelect(std::string_view statement, const TableResolver& resolveTable,
                                     std::vector<std::uint32_t> rowStorage = {},
                                     SelectPlan plan = {});

} // namespace bearing
