// Stable one-column ordering of row indexes, and the sort expression that names it.
#include "sql/row_order.h"

#include "sql/sql_error.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include "platform/beside.h"
#include "platform/growing_buffer.h"

#include <algorithm>
#include <charconv>
#include <deque>
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

// Folded text as bytes: an ASCII cell is used where it lies and lowered while
// comparing; other cells are folded once into UTF-8, whose byte order is the
// code-point order. Lowering is a no-op on folded text, so both compare alike.
// The first sixteen lowered bytes are kept as two big-endian integers, which
// settle most comparisons without touching the text, and all of them for
// model numbers no longer than that.
std::uint64_t foldedPrefix(std::string_view text, std::size_t from) {
    std::uint64_t prefix = 0;
    for (std::size_t i = from; i < from + 8; ++i)
        prefix =
            (prefix << 8) | (i < text.size() ? foldAscii(static_cast<unsigned char>(text[i])) : 0u);
    return prefix;
}

constexpr std::size_t kPrefixBytes = 16;

// Orders two texts whose prefixes are equal, from the byte after them on.
int compareFoldedTails(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = kPrefixBytes; i < n; ++i) {
        const auto x = foldAscii(static_cast<unsigned char>(a[i]));
        const auto y = foldAscii(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
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

// `message` quotes the expression as %1 and says what is wrong with it.
[[noreturn]] void invalidExpression(const char* message, std::string_view expression,
                                    std::vector<std::string> more = {}) {
    more.insert(more.begin(), std::string(expression));
    throw StatementError({{message, std::move(more)}}, 0);
}

} // namespace

// Text order: Nulls apart (they go first ascending, last descending), the
// rest sorted on small items (a 16-byte prefix key, the length and an index)
// with ties broken by position, which keeps the previous order as a stable
// sort would while moving far less memory.
void orderText(const Table& table, SortKey key, std::vector<std::uint32_t>& rows) {
    std::deque<std::string> folded; // grows without moving, so views into it stay valid
    // The working arrays of a million-row sort take tens of megabytes: huge
    // pages spare the tens of thousands of page faults ordinary ones cost.
    struct Item {
        std::uint64_t high;
        std::uint64_t low;
        std::uint32_t index; // into keys, and the position among non-Null rows
        std::uint32_t length;
    };
    GrowingBuffer<std::string_view> keyBuffer;
    GrowingBuffer<std::uint32_t> keyRowBuffer;
    GrowingBuffer<Item> itemBuffer;
    std::string_view* const keys = keyBuffer.extend(rows.size());
    std::uint32_t* const keyRows = keyRowBuffer.extend(rows.size());
    Item* const items = itemBuffer.extend(rows.size());
    std::size_t count = 0;
    std::vector<std::uint32_t> nulls;
    for (std::uint32_t row : rows) {
        const std::optional<std::string_view> cell = table.cell(row, key.column);
        if (!cell) {
            nulls.push_back(row);
            continue;
        }
        if (isAscii(*cell)) {
            keys[count] = *cell;
        } else {
            folded.push_back(foldedUtf8(*cell));
            keys[count] = folded.back();
        }
        keyRows[count] = row;
        const std::string_view k = keys[count];
        items[count] = {foldedPrefix(k, 0), foldedPrefix(k, 8), static_cast<std::uint32_t>(count),
                        static_cast<std::uint32_t>(std::min<std::size_t>(k.size(), 0xFFFFFFFFu))};
        ++count;
    }
    const bool descending = key.direction == SortDirection::Descending;
    const auto before = [&](const Item& a, const Item& b) {
        int order = 0;
        if (a.high != b.high)
            order = a.high < b.high ? -1 : 1;
        else if (a.low != b.low)
            order = a.low < b.low ? -1 : 1;
        else if (a.length <= kPrefixBytes && b.length <= kPrefixBytes)
            order = a.length < b.length ? -1 : (a.length > b.length ? 1 : 0);
        else
            order = compareFoldedTails(keys[a.index], keys[b.index]);
        if (order != 0)
            return descending ? order > 0 : order < 0;
        return a.index < b.index;
    };

    std::size_t out = 0;
    if (!descending)
        for (std::uint32_t row : nulls)
            rows[out++] = row;
    // No two items tie, so sorting the halves on two processor cores and
    // merging them gives exactly the order one sort gives.
    constexpr std::size_t kTwoThreadsFrom = 100'000;
    Item* const end = items + count;
    Item* const middle = count >= kTwoThreadsFrom ? items + count / 2 : end;
    if (middle != end) {
        auto secondHalf = startBeside([&] { std::sort(middle, end, before); });
        std::sort(items, middle, before);
        secondHalf.get();
    } else {
        std::sort(items, middle, before);
    }
    const Item* first = items;
    const Item* second = middle;
    while (first != middle || second != end) {
        const bool takeSecond = first == middle || (second != end && before(*second, *first));
        rows[out++] = keyRows[(takeSecond ? second++ : first++)->index];
    }
    if (descending)
        for (std::uint32_t row : nulls)
            rows[out++] = row;
}

void orderRows(const Table& table, SortKey key, std::vector<std::uint32_t>& rows) {
    if (table.columns()[key.column].kind == ValueKind::Number) {
        std::vector<Entry<double>> entries;
        entries.reserve(rows.size());
        for (std::uint32_t row : rows)
            entries.push_back({numberKey(table.cell(row, key.column)), row});
        sortEntries(entries, key.direction, rows);
    } else {
        orderText(table, key, rows);
    }
}

std::size_t orderSlot(SortKey key) {
    return key.column * 2 + (key.direction == SortDirection::Descending ? 1 : 0);
}

std::optional<std::span<const std::uint32_t>> keptTableOrder(const Table& table, SortKey key) {
    return table.cachedOrder(orderSlot(key));
}

std::span<const std::uint32_t> tableOrder(const Table& table, SortKey key) {
    if (const auto order = keptTableOrder(table, key))
        return *order;
    std::vector<std::uint32_t> rows(table.rowCount());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = static_cast<std::uint32_t>(i);
    orderRows(table, key, rows);
    return table.storeOrder(orderSlot(key), std::move(rows));
}

SortKey parseSortExpression(const Table& table, std::string_view expression) {
    const std::size_t space = expression.rfind(' ');
    if (space == std::string_view::npos || space == 0)
        invalidExpression(
            BEARING_TRANSLATE_NOOP("Engine",
                                   "排序表达式无效：\"%1\"（应为列名、一个空格和 ASC 或 DESC）"),
            expression);

    SortKey key;
    const std::string_view direction = expression.substr(space + 1);
    if (direction == "ASC")
        key.direction = SortDirection::Ascending;
    else if (direction == "DESC")
        key.direction = SortDirection::Descending;
    else
        invalidExpression(
            BEARING_TRANSLATE_NOOP("Engine", "排序表达式无效：\"%1\"（排序方向应为 ASC 或 DESC）"),
            expression);

    const std::string_view field = expression.substr(0, space);
    if (field.back() == ' ')
        invalidExpression(
            BEARING_TRANSLATE_NOOP("Engine",
                                   "排序表达式无效：\"%1\"（应为列名、一个空格和 ASC 或 DESC）"),
            expression);
    const int column = findColumnIgnoringCase(table, field);
    if (column < 0)
        invalidExpression(
            BEARING_TRANSLATE_NOOP("Engine", "排序表达式无效：\"%1\"（找不到列 \"%2\"）"),
            expression, {std::string(field)});
    key.column = static_cast<std::size_t>(column);
    return key;
}

} // namespace bearing
