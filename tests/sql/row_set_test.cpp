// Row sets one bit a row, on tables whose row counts fall on both sides of a 64-row word: the
// rows a condition selects are the same whether a word is full, partly used or the last one.
#include "sql/row_set.h"
#include "sql/sql_evaluator.h"
#include "sql/table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace bearing {
namespace {

// Rows holding "6204" at the word edges, every other row something without it.
std::shared_ptr<Table> edgeTable(std::size_t rowCount, const std::vector<std::size_t>& hits) {
    auto table = std::make_shared<Table>("t", std::vector<Column>{{"C", ValueKind::Text}});
    for (std::size_t row = 0; row < rowCount; ++row) {
        const bool hit = std::find(hits.begin(), hits.end(), row) != hits.end();
        const std::string number = std::to_string(1000 + row); // sorts as the rows do
        table->appendText(hit ? "SKF 6204-" + number : "NSK 7" + number);
    }
    return table;
}

TEST(RowSetTest, FullSetHoldsExactlyItsRows) {
    for (const std::size_t count : {0u, 1u, 63u, 64u, 65u, 130u}) {
        std::vector<std::uint32_t> rows;
        RowSet(count, true).appendTo(rows);
        std::vector<std::uint32_t> expected(count);
        std::iota(expected.begin(), expected.end(), 0u);
        EXPECT_EQ(rows, expected) << count;
        rows.clear();
        RowSet(count, false).appendTo(rows);
        EXPECT_TRUE(rows.empty()) << count;
    }
}

TEST(RowSetTest, ConditionsSelectTheSameRowsAtWordEdges) {
    const std::vector<std::size_t> hits{0, 63, 64, 127, 128, 129};
    for (const std::size_t count : {64u, 65u, 128u, 130u}) {
        std::vector<std::uint32_t> expected;
        for (std::size_t hit : hits)
            if (hit < count)
                expected.push_back(static_cast<std::uint32_t>(hit));
        const std::shared_ptr<const Table> table = edgeTable(count, hits);
        const auto resolve = [table](std::string_view) { return table; };
        EXPECT_EQ(runSelect("select * from t where C like \"%6204%\"", resolve, {},
                            SelectPlan{.maskedFromRows = 0})
                      .rows,
                  expected)
            << count;
        EXPECT_EQ(runSelect("select * from t where C like \"%6204%\" order by C", resolve, {},
                            SelectPlan{.maskedFromRows = 0})
                      .rows,
                  expected)
            << count << " (each hit's text sorts in row order)";
        std::vector<std::uint32_t> rest;
        for (std::uint32_t row = 0; row < count; ++row)
            if (std::find(expected.begin(), expected.end(), row) == expected.end())
                rest.push_back(row);
        EXPECT_EQ(runSelect("select * from t where not C like \"%6204%\"", resolve, {},
                            SelectPlan{.maskedFromRows = 0})
                      .rows,
                  rest)
            << count;
    }
}

} // namespace
} // namespace bearing
