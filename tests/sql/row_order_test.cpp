// The shared row ordering and the sort expression that selects it.
#include "sql/row_order.h"

#include "sql/sql_error.h"
#include "sql/table.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace bearing {
namespace {

using Cell = std::optional<std::string>;

// Rows 0..6; ties on both columns so that stability shows.
Table fixture() {
    Table table("t", {{"NUM", ValueKind::Number}, {"TXT", ValueKind::Text}});
    const std::vector<std::pair<Cell, Cell>> rows{
        {"10", "b"},   {std::nullopt, "B"}, {"9", std::nullopt}, {"10", "a"},
        {"-1.5", "Ä"}, {std::nullopt, "b"}, {"100", "ä"},
    };
    for (const auto& [num, txt] : rows) {
        for (const Cell& cell : {num, txt}) {
            if (cell)
                table.appendText(*cell);
            else
                table.appendNull();
        }
    }
    return table;
}

std::vector<std::uint32_t> tableOrder(const Table& table) {
    std::vector<std::uint32_t> rows(table.rowCount());
    std::iota(rows.begin(), rows.end(), 0u);
    return rows;
}

struct OrderCase {
    const char* name;
    SortKey key;
    bool startReversed;
    std::vector<std::uint32_t> rows;
};

class OrderRowsTest : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderRowsTest, OrdersStably) {
    const Table table = fixture();
    std::vector<std::uint32_t> rows = tableOrder(table);
    if (GetParam().startReversed)
        std::reverse(rows.begin(), rows.end());
    orderRows(table, GetParam().key, rows);
    EXPECT_EQ(rows, GetParam().rows);
}

constexpr SortDirection kAsc = SortDirection::Ascending;
constexpr SortDirection kDesc = SortDirection::Descending;

INSTANTIATE_TEST_SUITE_P(
    Keys, OrderRowsTest,
    testing::Values(
        OrderCase{"NumbersNumericallyNullsFirst", {0, kAsc}, false, {1, 5, 4, 2, 0, 3, 6}},
        OrderCase{
            "NumbersDescendingNullsLastTiesInOrder", {0, kDesc}, false, {6, 0, 3, 2, 4, 1, 5}},
        OrderCase{"TextIgnoresCaseTiesInOrder", {1, kAsc}, false, {2, 3, 0, 1, 5, 4, 6}},
        OrderCase{"TextDescendingTiesInOrder", {1, kDesc}, false, {4, 6, 0, 1, 5, 3, 2}},
        OrderCase{"TiesKeepPreviousNotTableOrder", {1, kAsc}, true, {2, 3, 5, 1, 0, 6, 4}},
        OrderCase{"DescendingTiesKeepPreviousOrder", {0, kDesc}, true, {6, 3, 0, 2, 4, 5, 1}}),
    bearing::test::CaseName());

TEST(OrderRowsTest, OrdersOnlyTheGivenRows) {
    const Table table = fixture();
    std::vector<std::uint32_t> rows{6, 2, 4};
    orderRows(table, {0, kAsc}, rows);
    EXPECT_EQ(rows, (std::vector<std::uint32_t>{4, 2, 6}));
}

TEST(OrderRowsTest, UnreadableNumberOrdersWithNulls) {
    Table table("t", {{"NUM", ValueKind::Number}});
    for (const char* cell : {"5", "x", "-2"})
        table.appendText(cell);
    std::vector<std::uint32_t> rows = tableOrder(table);
    orderRows(table, {0, kAsc}, rows);
    EXPECT_EQ(rows, (std::vector<std::uint32_t>{1, 2, 0}));
}

// Enough rows that the halves are sorted on two threads and merged: the order is the one a
// single stable sort of the folded text gives, ties in row order, in both directions.
TEST(OrderRowsTest, LargeTablesOrderAsOneStableSort) {
    Table table("t", {{"MODEL", ValueKind::Text}});
    std::vector<Cell> cells;
    std::uint32_t seed = 12345;
    for (std::size_t row = 0; row < 150'000; ++row) {
        seed = seed * 1103515245u + 12345u;
        const std::uint32_t r = seed >> 8;
        if (r % 50 == 0)
            cells.emplace_back(std::nullopt);
        else // few distinct values, shared prefixes longer than eight bytes, both cases
            cells.emplace_back((r % 3 ? "BEARING-62" : "bearing-62") + std::to_string(r % 997));
        if (cells.back())
            table.appendText(*cells.back());
        else
            table.appendNull();
    }
    const auto folded = [&](std::uint32_t row) {
        std::string text = *cells[row];
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    };
    for (const SortDirection direction : {SortDirection::Ascending, SortDirection::Descending}) {
        std::vector<std::uint32_t> expected(cells.size());
        std::iota(expected.begin(), expected.end(), 0u);
        std::stable_sort(expected.begin(), expected.end(), [&](std::uint32_t a, std::uint32_t b) {
            if (!cells[a] || !cells[b]) // Nulls first ascending, last descending
                return direction == SortDirection::Ascending ? !cells[a] && cells[b]
                                                             : cells[a] && !cells[b];
            return direction == SortDirection::Ascending ? folded(a) < folded(b)
                                                         : folded(b) < folded(a);
        });
        std::vector<std::uint32_t> rows(cells.size());
        std::iota(rows.begin(), rows.end(), 0u);
        orderRows(table, {0, direction}, rows);
        EXPECT_EQ(rows, expected);
    }
}

struct ExpressionCase {
    const char* name;
    std::string expression;
    SortKey key;
};

class SortExpressionTest : public testing::TestWithParam<ExpressionCase> {};

TEST_P(SortExpressionTest, ReadsColumnAndDirection) {
    const SortKey key = parseSortExpression(fixture(), GetParam().expression);
    EXPECT_EQ(key.column, GetParam().key.column);
    EXPECT_EQ(key.direction, GetParam().key.direction);
}

INSTANTIATE_TEST_SUITE_P(Valid, SortExpressionTest,
                         testing::Values(ExpressionCase{"Ascending", "NUM ASC", {0, kAsc}},
                                         ExpressionCase{"Descending", "TXT DESC", {1, kDesc}},
                                         ExpressionCase{"FieldIgnoresCase", "txt ASC", {1, kAsc}}),
                         bearing::test::CaseName());

struct InvalidExpressionCase {
    const char* name;
    std::string expression;
    std::string message;
};

class InvalidSortExpressionTest : public testing::TestWithParam<InvalidExpressionCase> {};

TEST_P(InvalidSortExpressionTest, FailsWithMessage) {
    try {
        (void)parseSortExpression(fixture(), GetParam().expression);
        FAIL() << "expression accepted";
    } catch (const StatementError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

const std::string kShape = "（应为列名、一个空格和 ASC 或 DESC）";
const std::string kDirection = "（排序方向应为 ASC 或 DESC）";

INSTANTIATE_TEST_SUITE_P(
    Invalid, InvalidSortExpressionTest,
    testing::Values(InvalidExpressionCase{"Empty", "", "排序表达式无效：\"\"" + kShape},
                    InvalidExpressionCase{"FieldOnly", "NUM", "排序表达式无效：\"NUM\"" + kShape},
                    InvalidExpressionCase{"NoField", " ASC", "排序表达式无效：\" ASC\"" + kShape},
                    InvalidExpressionCase{"TwoSpaces", "NUM  ASC",
                                          "排序表达式无效：\"NUM  ASC\"" + kShape},
                    InvalidExpressionCase{"TrailingSpace", "NUM ASC ",
                                          "排序表达式无效：\"NUM ASC \"" + kDirection},
                    InvalidExpressionCase{"LowerCaseDirection", "NUM asc",
                                          "排序表达式无效：\"NUM asc\"" + kDirection},
                    InvalidExpressionCase{"UnknownDirection", "NUM DOWN",
                                          "排序表达式无效：\"NUM DOWN\"" + kDirection},
                    InvalidExpressionCase{"UnknownField", "FOO ASC",
                                          "排序表达式无效：\"FOO ASC\"（找不到列 \"FOO\"）"}),
    bearing::test::CaseName());

} // namespace
} // namespace bearing
