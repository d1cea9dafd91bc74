// Stable one-column ordering of row indexes, and the sort expression that names it.
#include "row_order.h"

#include "platform/sql_error.h"
#include "platform/sql_text.h"
#include "platform/table.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>

namespace bearing {

namespace {

// Keys are computed once per row before sorting, so a million-row sort does
// not parse or fold a cell in every comparison.
template <typename Key> struct Entry {
    std::optional<Key> key; // nullopt orders as Null
    std::uint32_t row;
};

template <typename Key>
void sortEntries(std::vector<Entry<Key>>& entries, SortDirection direction,
                 std::vector<std::uint32_t>& rows) {
    const auto ascending = [](const Entry<Key>& a, const Entry<Key>& b) {
        if (!a.key || !b.key)
            return !a.key && b.key.has_value();
        return *a.key < *b.key;
    };
    // Descending swaps the arguments rather than reversing the result, so ties
    // keep their previous order in both directions.
    if (direction == SortDirection::Ascending)
        std::stable_sort(entries.begin(), entries.end(), ascending);
    else
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const Entry<Key>& a, const Entry<Key>& b) { return ascending(b, a); });
    for (std::size_t i = 0; i < entries.size(); ++i)
        rows[i] = entries[i].row;
}

std::optional<double> numberKey(std::optional<std::string_view> cell) {
    if (!cell)
        return std::nullopt;
    double value = 0;
    const char* last = cell->data() + cell->size();
    const auto [end, error] = std::from_chars(cell->data(), last, value);
    if (error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

[[noreturn]] void invalidExpression(std::string_view expression, std::string_view reason) {
    throw StatementError(
        "排序表达式无效：\"" + std::string(expression) + "\"（" + std::string(reason) + "）", 0);
}

} // namespace

void orderRows(const Table& table, SortKey key, std::vector<std::uint32_t>& rows) {
    if (table.columns()[key.column].kind == ValueKind::Number) {
        std::vector<Entry<double>> entries;
        entries.reserve(rows.size());
        for (std::uint32_t row : rows)
            entries.push_back({numberKey(table.cell(row, key.column)), row});
        sortEntries(entries, key.direction, rows);
    } else {
        std::vector<Entry<std::string>> entries;
        entries.reserve(rows.size());
        for (std::uint32_t row : rows) {
            const std::optional<std::string_view> cell = table.cell(row, key.column);
            entries.push_back({cell ? std::optional(foldedUtf8(*cell)) : std::nullopt, row});
        }
        sortEntries(entries, key.direction, rows);
    }
}

SortKey parseSortExpression(const Table& table, std::string_view expression) {
    const std::size_t space = expression.rfind(' ');
    if (space == std::string_view::npos || space == 0)
        invalidExpression(expression, "应为列名、一个空格和 ASC 或 DESC");

    SortKey key;
    const std::string_view direction = expression.substr(space + 1);
    if (direction == "ASC")
        key.direction = SortDirection::Ascending;
    else if (direction == "DESC")
        key.direction = SortDirection::Descending;
    else
        invalidExpression(expression, "排序方向应为 ASC 或 DESC");

    const std::string_view field = expression.substr(0, space);
    if (field.back() == ' ')
        invalidExpression(expression, "应为列名、一个空格和 ASC 或 DESC");
    const int column = findColumnIgnoringCase(table, field);
    if (column < 0)
        invalidExpression(expression, "找不到列 \"" + std::string(field) + "\"");
    key.column = static_cast<std::size_t>(column);
    return key;
}

} // namespace bearing
