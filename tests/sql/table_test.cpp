// Joining tables built apart: the rows of the second follow the first's, cell for cell.
#include "sql/table.h"

#include <gtest/gtest.h>

#include <string>

namespace bearing {
namespace {

std::string textOf(std::size_t row) {
    return "6204-2RS/C3 row " + std::to_string(row);
}

// Row `row` of a table filled by fill(): text, Null every seventh row, empty text every fifth.
void appendRow(Table& table, std::size_t row) {
    table.appendText(textOf(row));
    if (row % 7 == 0)
        table.appendNull();
    else if (row % 5 == 0)
        table.appendText("");
    else
        table.appendText(std::to_string(row));
}

TEST(TableTest, AppendedRowsFollowInOrderAndLeaveTheirTableEmpty) {
    // The second table's text and cells span several of the pieces they are moved in.
    constexpr std::size_t kFirst = 1000, kSecond = 400'000;
    const std::vector<Column> columns{{"A", ValueKind::Text}, {"B", ValueKind::Text}};
    Table joined("t", columns);
    for (std::size_t row = 0; row < kFirst; ++row)
        appendRow(joined, row);
    Table second("t", columns);
    for (std::size_t row = kFirst; row < kFirst + kSecond; ++row)
        appendRow(second, row);

    joined.appendRows(std::move(second));

    EXPECT_EQ(second.rowCount(), 0u);
    EXPECT_TRUE(second.text().empty());
    ASSERT_EQ(joined.rowCount(), kFirst + kSecond);
    for (std::size_t row = 0; row < joined.rowCount(); ++row) {
        ASSERT_EQ(joined.cell(row, 0), textOf(row)) << row;
        const auto b = joined.cell(row, 1);
        if (row % 7 == 0)
            ASSERT_FALSE(b) << row;
        else
            ASSERT_EQ(b, row % 5 == 0 ? std::string() : std::to_string(row)) << row;
    }
}

} // namespace
} // namespace bearing
