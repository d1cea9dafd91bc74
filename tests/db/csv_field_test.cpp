// One CSV field as both exports write it: when it is quoted, for each separator the command line
// offers, and how the quotes inside are doubled.
#include "db/csv_field.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

using namespace bearing;

namespace {

struct FieldCase {
    const char* name;
    std::string_view text;
    char delimiter;
    std::string_view field;
};

class CsvFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(CsvFieldTest, quotesOnlyWhereAReaderNeedsIt) {
    const FieldCase& c = GetParam();
    // Appended after what the line holds so far, never in its place.
    std::string line = "a,";
    appendCsvField(line, c.text, c.delimiter);
    EXPECT_EQ(line, "a," + std::string(c.field));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, CsvFieldTest,
    testing::Values(
        FieldCase{"plain", "6204-2RS", ',', "6204-2RS"},
        FieldCase{"chinese", "深沟球轴承 0类", ',', "深沟球轴承 0类"},
        FieldCase{"innerSpace", "SKF 6204", ',', "SKF 6204"},
        // Empty text is quoted so that it stays apart from Null, which is written as nothing.
        FieldCase{"emptyText", "", ',', "\"\""},
        FieldCase{"leadingSpace", " 6204", ',', "\" 6204\""},
        FieldCase{"trailingSpace", "6204 ", ',', "\"6204 \""},
        FieldCase{"onlyASpace", " ", ',', "\" \""},
        FieldCase{"lineFeed", "A\nB", ',', "\"A\nB\""},
        FieldCase{"carriageReturn", "A\rB", ',', "\"A\rB\""},
        FieldCase{"crLf", "A\r\nB", ',', "\"A\r\nB\""},
        FieldCase{"quoteInside", "6204 \"Z\"", ',', "\"6204 \"\"Z\"\"\""},
        FieldCase{"onlyAQuote", "\"", ',', "\"\"\"\""},
        FieldCase{"quotesAtBothEnds", "\"6204\"", ',', "\"\"\"6204\"\"\""},
        FieldCase{"twoQuotesTogether", "a\"\"b", ',', "\"a\"\"\"\"b\""},
        FieldCase{"comma", "1,5", ',', "\"1,5\""},
        FieldCase{"commaOnly", ",", ',', "\",\""},
        FieldCase{"tabUnderComma", "A\tB", ',', "A\tB"},
        FieldCase{"semicolonUnderComma", "A;B", ',', "A;B"},
        FieldCase{"semicolon", "A;B", ';', "\"A;B\""},
        FieldCase{"commaUnderSemicolon", "1,5", ';', "1,5"},
        FieldCase{"tab", "A\tB", '\t', "\"A\tB\""},
        FieldCase{"commaUnderTab", "1,5", '\t', "1,5"},
        FieldCase{"emptyTextUnderTab", "", '\t', "\"\""},
        FieldCase{"quoteUnderSemicolon", "a\"b", ';', "\"a\"\"b\""}),
    bearing::test::CaseName());
// clang-format on

struct QuotedCase {
    const char* name;
    std::string_view text;
    std::string_view quoted;
};

class QuotedFieldTest : public testing::TestWithParam<QuotedCase> {};

TEST_P(QuotedFieldTest, doublesEveryQuote) {
    const QuotedCase& c = GetParam();
    std::string line = "a\t";
    appendQuotedField(line, c.text);
    EXPECT_EQ(line, "a\t" + std::string(c.quoted));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, QuotedFieldTest,
    testing::Values(
        QuotedCase{"empty", "", "\"\""},
        QuotedCase{"noQuote", "A\tB", "\"A\tB\""},
        QuotedCase{"onlyAQuote", "\"", "\"\"\"\""},
        QuotedCase{"quoteFirst", "\"a", "\"\"\"a\""},
        QuotedCase{"quoteLast", "a\"", "\"a\"\"\""},
        QuotedCase{"quotesApart", "a\"b\"c", "\"a\"\"b\"\"c\""},
        QuotedCase{"quotesTogether", "\"\"\"", "\"\"\"\"\"\"\"\""},
        QuotedCase{"besideChinese", "深\"沟", "\"深\"\"沟\""}),
    bearing::test::CaseName());
// clang-format on

} // namespace
