// How one cell is written for pasting into a spreadsheet and for a CSV file.
#include "app/grid_text.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace bearing;

namespace {

struct FieldCase {
    const char* name;
    std::optional<std::string_view> value;
    const char* tabSeparated;
    const char* csv;
};

class GridTextFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(GridTextFieldTest, staysOneCell) {
    const FieldCase& c = GetParam();
    std::string pasted = "a\t";
    appendTabSeparatedField(pasted, c.value);
    EXPECT_EQ(pasted, std::string("a\t") + c.tabSeparated);
    std::string csv = "a,";
    appendCsvField(csv, c.value);
    EXPECT_EQ(csv, std::string("a,") + c.csv);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, GridTextFieldTest,
    testing::Values(
        FieldCase{"null", std::nullopt, "", ""},
        FieldCase{"emptyText", "", "", "\"\""},
        FieldCase{"plain", "6204-2RS", "6204-2RS", "6204-2RS"},
        FieldCase{"chinese", "深沟球轴承 0类", "深沟球轴承 0类", "深沟球轴承 0类"},
        FieldCase{"tab", "A\tB", "\"A\tB\"", "A\tB"},
        FieldCase{"lineFeed", "A\nB", "\"A\nB\"", "\"A\nB\""},
        FieldCase{"carriageReturn", "A\rB", "\"A\rB\"", "\"A\rB\""},
        FieldCase{"crLf", "A\r\nB", "\"A\r\nB\"", "\"A\r\nB\""},
        FieldCase{"quoteInside", "6204 \"Z\"", "\"6204 \"\"Z\"\"\"", "\"6204 \"\"Z\"\"\""},
        FieldCase{"onlyAQuote", "\"", "\"\"\"\"", "\"\"\"\""},
        FieldCase{"comma", "1,5", "1,5", "\"1,5\""},
        FieldCase{"leadingSpace", " 6204", " 6204", "\" 6204\""},
        FieldCase{"trailingSpace", "6204 ", "6204 ", "\"6204 \""},
        FieldCase{"onlyASpace", " ", " ", "\" \""},
        FieldCase{"innerSpace", "SKF 6204", "SKF 6204", "SKF 6204"}),
    bearing::test::CaseName());
// clang-format on

} // namespace
