// The one row ordering shared by ORDER BY and the result set's sort expression.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace bearing {

class Table;

enum class SortDirection : std::uint8_t { Ascending, Descending };

struct SortKey {
    std::size_t column = 0;
    SortDirection direction = SortDirection::Ascending;
};

// Reorders `rows` (indexes into `table`) by one column, stably: rows that
// compare equal keep their order, in both directions. Nulls come first when
// ascending and last when descending; Number columns order numerically (a
// cell that does not read as a number orders with the Nulls), Text columns by
// case-folded code points.
void orderRows(const Table& table, SortKey key, std::vector<std::uint32_t>& rows);

// The key a table holds the order `key` gives under (Table::orders()).
[[nodiscard]] std::size_t orderSlot(SortKey key);

// Every row of the table in the order `key` gives (ties in table order),
// computed on first use and kept with the table.
[[nodiscard]] std::span<const std::uint32_t> tableOrder(const Table& table, SortKey key);
// The order tableOrder gives, if it has been computed already.
[[nodiscard]] std::optional<std::span<const std::uint32_t>> keptTableOrder(const Table& table,
                                                                           SortKey key);

// Reads a sort expression: a column name of `table` matched ignoring case, one
// space, then ASC or DESC. Anything else throws StatementError with a message
// quoting the expression. An empty expression is not one: it means statement
// order, which the caller restores itself.
[[nodiscard]] SortKey parseSortExpression(const Table& table, std::string_view expression);

} // namespace bearing
