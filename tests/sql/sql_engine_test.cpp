// The statement engine end to end: statements over a small table, and the statements it rejects.
// Longer than most: its tables of statements are the engine's dialect written down.
#include "sql/bigram_mask.h"
#include "sql/sql_error.h"
#include "sql/sql_evaluator.h"
#include "sql/sql_parser.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include "tests/support/case_name.h"
#include "tests/support/table_of.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace bearing {
namespace {

using test::Cell;
using test::resolverFor;

// WJIN holds numbers (cells in Jet text form), WTXT the same kind of values as text.
std::shared_ptr<const Table> fixture() {
    const std::vector<std::vector<Cell>> rows{
        {"Äpfel", "SKF 6204", "47", "47", "深沟球轴承 0类"},
        {"äpfel", "skf 6205", "47.5", "47.0", "推力圆锥滚子轴承 "},
        {"Élan", "TORRINGTON 123", "52", "47.5", "推力圆锥滚子轴承"},
        {"élan", "TORRINGTON FAFNIR 123", std::nullopt, std::nullopt, std::nullopt},
        {"Straße", "NSK \"Z\"", "100", "100", ""},
        {"6204", "O'NEIL 6204", "9", "9", "深沟球轴承 0类"},
    };
    return test::tableOf("ZQbearing",
                         std::vector<Column>{{"NAME", ValueKind::Text},
                                             {"BRAND", ValueKind::Text},
                                             {"WJIN", ValueKind::Number},
                                             {"WTXT", ValueKind::Text},
                                             {"BTYPE", ValueKind::Text}},
                         rows);
}

// The rows a statement selects, checked to be the same whether bigram masks rule rows out first
// or every row is searched, and whether the table is prepared for later searches or not.
std::vector<std::uint32_t> selectBothWays(const std::string& statement,
                                          const TableResolver& resolve) {
    const std::vector<std::uint32_t> masked =
        runSelect(statement, resolve, {}, SelectPlan{.maskedFromRows = 0}).rows;
    EXPECT_EQ(masked, runSelect(statement, resolve, {}, kOneSearchOnly).rows) << statement;
    EXPECT_EQ(masked,
              runSelect(statement, resolve, {},
                        SelectPlan{.maskedFromRows = std::numeric_limits<std::size_t>::max()})
                  .rows)
        << statement;
    return masked;
}

std::vector<std::uint32_t> select(const std::string& statement) {
    return selectBothWays(statement, resolverFor(fixture()));
}

struct MatchCase {
    const char* name;
    std::string condition;
    std::vector<std::uint32_t> rows;
};

class ConditionTest : public testing::TestWithParam<MatchCase> {};

TEST_P(ConditionTest, SelectsExpectedRows) {
    EXPECT_EQ(select("select * from zqbearing where " + GetParam().condition), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    CaseFolding, ConditionTest,
    testing::Values(MatchCase{"LikeIgnoresAsciiCase", "BRAND like \"skf %\"", {0, 1}},
                    MatchCase{"EqualIgnoresAsciiCase", "BRAND = \"skf 6204\"", {0}},
                    MatchCase{"EqualFoldsLatinBeyondAscii", "NAME = \"ÄPFEL\"", {0, 1}},
                    MatchCase{"LikeFoldsLatinBeyondAscii", "NAME like \"É%\"", {2, 3}},
                    MatchCase{"EqualIsOtherwiseExact", "NAME = \"Apfel\"", {}},
                    MatchCase{"LessThanComparesFoldedText", "NAME < \"b\"", {5}}),
    bearing::test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    TypeLabels, ConditionTest,
    testing::Values(MatchCase{"TrailingSpaceLabel", "BTYPE = \"推力圆锥滚子轴承 \"", {1}},
                    MatchCase{"LabelWithoutSpace", "BTYPE =\"推力圆锥滚子轴承\"", {2}},
                    MatchCase{"EmptyTextIsNotNull", "BTYPE = \"\"", {4}},
                    MatchCase{"NotEqualSkipsNull", "BTYPE <> \"深沟球轴承 0类\"", {1, 2, 4}}),
    bearing::test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Numbers, ConditionTest,
    testing::Values(MatchCase{"NumberLikeUsesTextForm", "WJIN like \"47\"", {0}},
                    MatchCase{"NumberLikeWithPointZeroFindsNothing", "WJIN like \"47.0\"", {}},
                    MatchCase{"NumberLikeWithWildcard", "WJIN like \"47%\"", {0, 1}},
                    MatchCase{"NumberLiteralWithLike", "WJIN like 47", {0}},
                    MatchCase{"NumberEqualsNumberNumerically", "WJIN = 47.0", {0}},
                    MatchCase{"NumberEqualsTextThroughTextForm", "WJIN = \"47\"", {0}},
                    MatchCase{"NumberGreaterIsNumeric", "WJIN > 50", {2, 4}},
                    MatchCase{"NumberLessOrEqual", "WJIN <= 47.5", {0, 1, 5}},
                    MatchCase{"NumberWithoutLeadingDigit", "WJIN > .5", {0, 1, 2, 4, 5}},
                    MatchCase{"NumberWithTrailingPoint", "WJIN >= 52.", {2, 4}},
                    MatchCase{"TextColumnLikeIsTextual", "WTXT like \"47\"", {0}},
                    MatchCase{"TextColumnKeepsPointZero", "WTXT like \"47.0\"", {1}},
                    MatchCase{"TextColumnEqualsNumberLiteralTextForm", "WTXT = 47", {0}},
                    MatchCase{"NumberLiteralTextFormDropsPointZero", "WTXT = 47.0", {0}},
                    MatchCase{"TextColumnOrdersAsText", "WTXT > \"5\"", {5}}),
    bearing::test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Nulls, ConditionTest,
    testing::Values(MatchCase{"NullMatchesNoLike", "WJIN like \"%\"", {0, 1, 2, 4, 5}},
                    MatchCase{"NullMatchesNoNotEqual", "WJIN <> 47", {1, 2, 4, 5}},
                    MatchCase{"NullMatchesNoNegatedLike", "not WJIN like \"47\"", {1, 2, 4, 5}},
                    MatchCase{"NullMatchesNoNotLike", "WJIN not like \"47\"", {1, 2, 4, 5}},
                    MatchCase{
                        "NullInOrIsRescuedByTrueSide", "WJIN = 1 or NAME like \"élan\"", {2, 3}}),
    bearing::test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Wildcards, ConditionTest,
    testing::Values(MatchCase{"UnderscoreIsOneLetter", "NAME like \"_pfel\"", {0, 1}},
                    MatchCase{"UnderscoreIsOneCodePoint", "NAME like \"Stra_e\"", {4}},
                    MatchCase{"UnderscoreNeedsACharacter", "NAME like \"6204_\"", {}},
                    MatchCase{"UnderscoresInside", "NAME like \"6__4\"", {5}},
                    MatchCase{"LikeIsWholeValue", "NAME like \"pfel\"", {}},
                    MatchCase{"BrandPrefixNeedsItsSpace", "BRAND LIKE \"TORR %\"", {}},
                    MatchCase{"BrandPrefixFindsLongerBrand", "BRAND LIKE \"TORRINGTON %\"", {2, 3}},
                    MatchCase{"BrandPrefixWithSpace", "BRAND LIKE \"TORRINGTON FAFNIR %\"", {3}}),
    bearing::test::CaseName());

INSTANTIATE_TEST_SUITE_P(
    Syntax, ConditionTest,
    testing::Values(
        MatchCase{"AndBindsTighterThanOr",
                  "BRAND like \"skf%\" or WJIN > 90 and NAME = \"straße\"",
                  {0, 1, 4}},
        MatchCase{"ParenthesesAndNot", "(WJIN = 47 or WJIN = 52) and not NAME like \"é%\"", {0}},
        MatchCase{"DoubledQuoteIsOneQuote", "BRAND = \"nsk \"\"z\"\"\"", {4}},
        MatchCase{"SingleQuotedText", "BRAND = 'NSK \"Z\"'", {4}},
        MatchCase{"DoubledSingleQuote", "BRAND = 'o''neil 6204'", {5}},
        MatchCase{"NoSpaceAroundParentheses", "(WJIN=9)or(WJIN=52)", {2, 5}},
        MatchCase{"ColumnAgainstColumn", "WJIN = WTXT", {0, 4, 5}},
        MatchCase{"LinesEndInCarriageReturnLineFeed",
                  "\r\n(NAME like \"%pfel\" )and WJIN like \"47\" \r\n",
                  {0}}),
    bearing::test::CaseName());

TEST(SelectTest, WithoutConditionSelectsEveryRowInTableOrder) {
    EXPECT_EQ(select("SELECT * FROM ZQBEARING;"), (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(SelectTest, KeywordsAndNamesIgnoreCase) {
    EXPECT_EQ(select("SeLeCt * FrOm zQbEaRiNg WhErE bRaNd LiKe 'SKF%' OrDeR bY nAmE DeSc"),
              (std::vector<std::uint32_t>{0, 1}));
}

TEST(SelectTest, ReturnsTheResolvedTable) {
    const std::shared_ptr<const Table> table = fixture();
    EXPECT_EQ(runSelect("select * from zqbearing", resolverFor(table)).table, table);
}

struct OrderCase {
    const char* name;
    std::string orderBy;
    std::vector<std::uint32_t> rows;
};

class OrderByTest : public testing::TestWithParam<OrderCase> {};

TEST_P(OrderByTest, OrdersRows) {
    EXPECT_EQ(select("select * from zqbearing\r\norder by " + GetParam().orderBy + "\r\n"),
              GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Columns, OrderByTest,
    testing::Values(OrderCase{"NumbersNumericallyNullFirst", "wjin", {3, 5, 0, 1, 2, 4}},
                    OrderCase{"ExplicitAscending", "wjin asc", {3, 5, 0, 1, 2, 4}},
                    OrderCase{"DescendingNullLast", "wjin desc", {4, 2, 1, 0, 5, 3}},
                    OrderCase{"TextColumnAsText", "wtxt", {3, 4, 0, 1, 2, 5}},
                    OrderCase{"TextIgnoresCaseTiesKeepOrder", "name", {5, 4, 0, 1, 2, 3}},
                    OrderCase{"DescendingTiesKeepOrder", "name desc", {2, 3, 0, 1, 4, 5}}),
    bearing::test::CaseName());

TEST(OrderByTest, AppliesAfterCondition) {
    EXPECT_EQ(select("select * from zqbearing where WJIN > 40 order by WJIN desc"),
              (std::vector<std::uint32_t>{4, 2, 1, 0}));
}

// A search that is the table's only one sorts a few matches alone when the table's order is not
// kept yet; they must come out as the kept order filtered gives them, ties and Nulls included,
// and leave no order kept.
TEST(OrderByTest, FewMatchesSortedAloneKeepTheTableOrdersTies) {
    std::vector<std::vector<Cell>> rows;
    for (int copy = 0; copy < 20; ++copy)
        for (std::uint32_t r = 0; r < 20; ++r)
            rows.push_back({r == 3 ? Cell{} : Cell{std::to_string(copy % 3)}, r % 2 ? "x" : "X",
                            std::to_string(copy % 4), std::to_string(r)});
    const std::vector<Column> columns{{"T", ValueKind::Text},
                                      {"CASE", ValueKind::Text},
                                      {"N", ValueKind::Number},
                                      {"R", ValueKind::Text}};
    for (const char* order : {"T", "T desc", "CASE", "CASE desc", "N", "N desc"}) {
        const std::string statement =
            std::string("select * from t where R = \"3\" or R = \"4\" order by ") + order;
        const auto fresh = test::tableOf("t", columns, rows);
        const std::vector<std::uint32_t> alone =
            runSelect(statement, resolverFor(fresh), {}, kOneSearchOnly).rows;
        ASSERT_EQ(alone.size(), 40u) << order;
        EXPECT_TRUE(fresh->orders().empty()) << order;

        const auto ordered = test::tableOf("t", columns, rows);
        (void)runSelect(std::string("select * from t order by ") + order, resolverFor(ordered));
        ASSERT_FALSE(ordered->orders().empty()) << order;
        EXPECT_EQ(selectBothWays(statement, resolverFor(ordered)), alone) << order;
    }
}

struct RejectCase {
    const char* name;
    std::string statement;
    std::string message;
};

class RejectedStatementTest : public testing::TestWithParam<RejectCase> {};

TEST_P(RejectedStatementTest, FailsWithMessage) {
    try {
        (void)select(GetParam().statement);
        FAIL() << "statement accepted";
    } catch (const StatementError& error) {
        EXPECT_EQ(std::string(error.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Statements, RejectedStatementTest,
    testing::Values(
        RejectCase{"EmptyConditionFromNoMode",
                   "select * from zqbearing where \r\n\r\norder by newno\r\n",
                   "查询语句有误：WHERE 之后缺少条件（在 \"order by newno\" 附近）"},
        RejectCase{"EmptyStatement", "", "查询语句为空"},
        RejectCase{"OnlyWhitespace", " \r\n\t", "查询语句为空"},
        RejectCase{"UnknownTable", "select * from xyz where NAME = 1", "找不到表 \"xyz\""},
        RejectCase{"UnknownColumn", "select * from zqbearing where foo = 1",
                   "找不到列 \"foo\"（在 \"foo = 1\" 附近）"},
        RejectCase{"UnknownColumnOnTheRight", "select * from zqbearing where NAME = foo",
                   "找不到列 \"foo\"（在 \"foo\" 附近）"},
        RejectCase{"UnknownOrderColumn", "select * from zqbearing order by newno\r\n",
                   "找不到列 \"newno\"（在 \"newno\" 附近）"},
        RejectCase{"UnterminatedText", "select * from zqbearing where NAME = \"abc\r\n",
                   "文本值缺少结束的引号（在 \"\"abc\" 附近）"},
        RejectCase{"UnterminatedAfterDoubledQuote", "select * from zqbearing where NAME = 'a''",
                   "文本值缺少结束的引号（在 \"'a''\" 附近）"},
        RejectCase{"TrailingGarbage", "select * from zqbearing order by NAME xyz",
                   "查询语句有误：语句结尾有多余的内容（在 \"xyz\" 附近）"},
        RejectCase{"QuoteEndingTextEarly", "select * from zqbearing where (NAME like \"%A\"B%\" )",
                   "查询语句有误：缺少右括号（在 \"B%\" )\" 附近）"},
        RejectCase{"NotSelect", "delete from zqbearing",
                   "查询语句有误：语句应以 SELECT 开头（在 \"delete from zqbearing\" 附近）"},
        RejectCase{"ColumnList", "select NAME from zqbearing",
                   "查询语句有误：SELECT 之后应为 *（在 \"NAME from zqbearing\" 附近）"},
        RejectCase{"MissingFrom", "select *", "查询语句有误：缺少 FROM（在语句末尾）"},
        RejectCase{"MissingTable", "select * from where",
                   "查询语句有误：FROM 之后缺少表名（在 \"where\" 附近）"},
        RejectCase{"MissingOperator", "select * from zqbearing where NAME",
                   "查询语句有误：缺少比较运算符（在语句末尾）"},
        RejectCase{"MissingLikePattern", "select * from zqbearing where NAME like order by NAME",
                   "查询语句有误：LIKE 之后缺少值（在 \"order by NAME\" 附近）"},
        RejectCase{"MissingRightOperand", "select * from zqbearing where NAME = and",
                   "查询语句有误：运算符 \"=\" 之后缺少值（在 \"and\" 附近）"},
        RejectCase{"DanglingAnd", "select * from zqbearing where NAME = 1 and",
                   "查询语句有误：AND 之后缺少条件（在语句末尾）"},
        RejectCase{"DanglingOr", "select * from zqbearing where NAME = 1 or order by NAME",
                   "查询语句有误：OR 之后缺少条件（在 \"order by NAME\" 附近）"},
        RejectCase{"EmptyParentheses", "select * from zqbearing where ()",
                   "查询语句有误：左括号之后缺少条件（在 \")\" 附近）"},
        RejectCase{"UnclosedParenthesis", "select * from zqbearing where (NAME = 1",
                   "查询语句有误：缺少右括号（在语句末尾）"},
        RejectCase{"NotWithoutLike", "select * from zqbearing where NAME not = 1",
                   "查询语句有误：NOT 之后应为 LIKE（在 \"= 1\" 附近）"},
        RejectCase{"OrderWithoutBy", "select * from zqbearing order NAME",
                   "查询语句有误：ORDER 之后缺少 BY（在 \"NAME\" 附近）"},
        RejectCase{"OrderByWithoutColumn", "select * from zqbearing order by",
                   "查询语句有误：ORDER BY 之后缺少列名（在语句末尾）"},
        RejectCase{"UnknownSymbol", "select * from zqbearing where NAME = #1#",
                   "查询语句有误：无法识别的符号（在 \"#1#\" 附近）"},
        RejectCase{"SecondPointInNumber", "select * from zqbearing where WJIN = .5.3",
                   "查询语句有误：语句结尾有多余的内容（在 \".3\" 附近）"},
        RejectCase{"NumberOutOfRange",
                   "select * from zqbearing where WJIN = 1" + std::string(400, '0'),
                   "查询语句有误：数值超出范围（在 \"1" + std::string(29, '0') + "…\" 附近）"},
        RejectCase{"NearTextIsShortened",
                   "select * from zqbearing where "
                   "轴承型号查询轴承型号查询轴承型号查询轴承型号查询轴承型号查询 = 1",
                   "找不到列 \"轴承型号查询轴承型号查询轴承型号查询轴承型号查询轴承型号查询\"（在 "
                   "\"轴承型号查询轴承型号查询轴承型号查询轴承型号查询轴承型号查询…\" 附近）"},
        RejectCase{"NearTextStopsAtLineEnd", "select * from zqbearing where foo = 1\r\nor NAME = 2",
                   "找不到列 \"foo\"（在 \"foo = 1\" 附近）"},
        RejectCase{"TooDeep",
                   "select * from zqbearing where " + std::string(201, '(') + "NAME = 1" +
                       std::string(201, ')'),
                   "查询语句有误：条件嵌套超过 200 层（在 \"(NAME = 1" + std::string(21, ')') +
                       "…\" 附近）"}),
    bearing::test::CaseName());

TEST(StatementErrorTest, CarriesByteOffsetOfTheFailure) {
    const std::string statement = "select * from zqbearing where WJIN = 1 and foo = 2";
    try {
        (void)select(statement);
        FAIL() << "statement accepted";
    } catch (const StatementError& error) {
        EXPECT_EQ(error.position(), statement.find("foo"));
    }
}

// The command line hands each template to its message catalogue; the place in
// the statement is a template of its own and the arguments stay as they are.
TEST(StatementErrorTest, TranslatesEachTemplateBeforeFillingIt) {
    const std::map<std::string, std::string> english{
        {"找不到列 \"%1\"", "No column \"%1\""},
        {"（在 \"%1\" 附近）", " (near \"%1\")"},
    };
    try {
        (void)select("select * from zqbearing where 尺寸 = 1");
        FAIL() << "statement accepted";
    } catch (const StatementError& error) {
        EXPECT_STREQ(error.what(), "找不到列 \"尺寸\"（在 \"尺寸 = 1\" 附近）");
        EXPECT_EQ(error.message([&](const char* text) { return english.at(text); }),
                  "No column \"尺寸\" (near \"尺寸 = 1\")");
    }
}

TEST(StatementErrorTest, FillsPlaceholdersInOnePass) {
    EXPECT_EQ(fillMessage("%1 and %2", {"%2", "x"}), "%2 and x");
    EXPECT_EQ(fillMessage("%1, %3 and 100%", {"a"}), "a, %3 and 100%");
    EXPECT_EQ(fillMessage("%2%1", {"a", "b"}), "ba");
}

TEST(NestingTest, AcceptsTheDeepestAllowedNesting) {
    const std::string parens = "select * from zqbearing where " + std::string(200, '(') +
                               "WJIN = 9" + std::string(200, ')');
    EXPECT_EQ(select(parens), (std::vector<std::uint32_t>{5}));

    std::string nots = "select * from zqbearing where ";
    for (int i = 0; i < kMaxConditionDepth; ++i)
        nots += "not ";
    EXPECT_EQ(select(nots + "WJIN = 9"), (std::vector<std::uint32_t>{5}));
    EXPECT_THROW((void)select(nots + "not WJIN = 9"), StatementError);
}

TEST(NestingTest, LongChainsDoNotNest) {
    std::string statement = "select * from zqbearing where WJIN = 9";
    for (int i = 0; i < 100000; ++i)
        statement += " or WJIN = 1 and NAME = \"x\"";
    EXPECT_EQ(select(statement), (std::vector<std::uint32_t>{5}));
}

// Whatever is cut off or appended, the engine answers with rows or a StatementError.
TEST(RobustnessTest, EveryPrefixAndCorruptionFailsCleanly) {
    const std::string statement =
        "select * from zqbearing where (NAME like \"%a\"\"b%\" or not WJIN <= 4.5)"
        " and BRAND <> 'x''y' order by WJIN desc;";
    std::vector<std::string> inputs;
    for (std::size_t n = 0; n <= statement.size(); ++n) {
        inputs.push_back(statement.substr(0, n));
        inputs.push_back(statement.substr(0, n) + "\xff\xc3");
        inputs.push_back(statement.substr(n));
    }
    const std::size_t rowCount = fixture()->rowCount();
    for (const std::string& input : inputs) {
        try {
            const std::vector<std::uint32_t> rows = select(input);
            EXPECT_LE(rows.size(), rowCount) << input;
            for (const std::uint32_t row : rows)
                EXPECT_LT(row, rowCount) << input;
        } catch (const StatementError& error) {
            // Refused with a message the user can read, pointing into the statement.
            EXPECT_STRNE(error.what(), "") << input;
            EXPECT_LE(error.position(), input.size()) << input;
        }
    }
}

// Cells made to trip the shortcuts for prefix and substring patterns, for comparing with a
// literal and for ruling rows out by their bigram masks: characters outside ASCII that fold to
// "k" and "s" (KELVIN SIGN, LONG S), letters in both cases, bytes that are no UTF-8, runs cut
// short.
const std::vector<std::string>& trickyCells() {
    static const std::vector<std::string> cells{"",
                                                "6204",
                                                "6204-2RS",
                                                "x6204",
                                                "62046204",
                                                "620",
                                                "SKF 6204",
                                                "skf 6205",
                                                "\xE2\x84\xAA"
                                                "F 6204",
                                                "S\xE2\x84\xAA"
                                                "F 1",
                                                "\xC5\xBF"
                                                "kf 1",
                                                "SKF",
                                                "SKF ",
                                                "Sk",
                                                "skf\xC3\xA4 1",
                                                "\xC3\xA4"
                                                "6204",
                                                "62\xFF"
                                                "04",
                                                "\xFF"
                                                "SKF 1",
                                                "深沟球轴承 0类",
                                                "深沟球轴承 0類",
                                                "深沟球轴承 0类 ",
                                                "深沟球轴承",
                                                "Ä-1",
                                                "ä-1",
                                                "_%",
                                                "a%b",
                                                "NSK 6204\xE2\x84\xAA",
                                                "s",
                                                "\xC3"};
    return cells;
}

const std::vector<std::string>& trickyPatterns() {
    static const std::vector<std::string> patterns{"%6204%",
                                                   "%620%",
                                                   "%-2r%",
                                                   "%-%",
                                                   "%_%",
                                                   "%62_4%",
                                                   "SKF %",
                                                   "skf%",
                                                   "sk%",
                                                   "s%",
                                                   "6204%",
                                                   "%6204",
                                                   "6204",
                                                   "%%",
                                                   "%",
                                                   "ä%",
                                                   "%\\%",
                                                   "a%%",
                                                   "%kf 1",
                                                   "%\xE2\x84\xAA"
                                                   "F%",
                                                   "%\xC5\xBFkf%",
                                                   "%轴承 0%",
                                                   "%a%b%",
                                                   "62_04",
                                                   "%04"};
    return patterns;
}

// One text column holding the tricky cells, then a Null.
TableResolver trickyTable() {
    auto table = std::make_shared<Table>("t", std::vector<Column>{{"C", ValueKind::Text}});
    for (const std::string& cell : trickyCells())
        table->appendText(cell);
    table->appendNull();
    return [table](std::string_view) -> std::shared_ptr<const Table> { return table; };
}

std::vector<std::uint32_t> rowsMatching(const std::string& pattern) {
    std::vector<std::uint32_t> rows;
    for (std::uint32_t row = 0; row < trickyCells().size(); ++row)
        if (likeMatches(foldedCodePoints(trickyCells()[row]), foldedCodePoints(pattern)))
            rows.push_back(row);
    return rows;
}

// The shortcuts agree with folding every cell.
TEST(ShortcutAgreementTest, EveryConditionSelectsWhatFoldingEveryCellSelects) {
    const std::vector<std::string>& cells = trickyCells();
    const std::vector<std::string>& patterns = trickyPatterns();
    ASSERT_EQ(foldedCodePoints("\xE2\x84\xAA\xC5\xBF"), U"ks")
        << "the cells above lose their point";
    const TableResolver resolve = trickyTable();
    for (const std::string& pattern : patterns)
        EXPECT_EQ(selectBothWays("select * from t where C like \"" + pattern + "\"", resolve),
                  rowsMatching(pattern))
            << "like \"" << pattern << "\"";
    for (const std::string& literal : cells) {
        if (literal.find('"') != std::string::npos)
            continue;
        for (const char* op : {"=", "<", ">"}) {
            std::vector<std::uint32_t> expected;
            for (std::uint32_t row = 0; row < cells.size(); ++row) {
                const int order = foldedCodePoints(cells[row]).compare(foldedCodePoints(literal));
                if ((op[0] == '=' && order == 0) || (op[0] == '<' && order < 0) ||
                    (op[0] == '>' && order > 0))
                    expected.push_back(row);
            }
            EXPECT_EQ(selectBothWays("select * from t where C " + std::string(op) + " \"" +
                                         literal + "\"",
                                     resolve),
                      expected)
                << op << " \"" << literal << "\"";
        }
    }
}

// Rows ruled out by their masks are ruled out only where the whole condition cannot hold: in
// both branches of an OR, in either side of an AND, and never under a NOT.
TEST(ShortcutAgreementTest, CombinedConditionsSelectWhatTheirPartsSelect) {
    const TableResolver resolve = trickyTable();
    std::vector<std::uint32_t> notNull(trickyCells().size());
    std::iota(notNull.begin(), notNull.end(), 0u);
    for (const std::string& p : trickyPatterns()) {
        const std::vector<std::uint32_t> left = rowsMatching(p);
        std::vector<std::uint32_t> outside;
        std::set_difference(notNull.begin(), notNull.end(), left.begin(), left.end(),
                            std::back_inserter(outside));
        EXPECT_EQ(selectBothWays("select * from t where not C like \"" + p + "\"", resolve),
                  outside)
            << "not " << p;
        for (const std::string& q : trickyPatterns()) {
            const std::vector<std::uint32_t> right = rowsMatching(q);
            std::vector<std::uint32_t> either;
            std::vector<std::uint32_t> both;
            std::set_union(left.begin(), left.end(), right.begin(), right.end(),
                           std::back_inserter(either));
            std::set_intersection(left.begin(), left.end(), right.begin(), right.end(),
                                  std::back_inserter(both));
            const std::string a = "C like \"" + p + "\"";
            const std::string b = "C like \"" + q + "\"";
            EXPECT_EQ(selectBothWays("select * from t where " + a + " or " + b, resolve), either)
                << p << " or " << q;
            EXPECT_EQ(selectBothWays("select * from t where " + a + " and " + b, resolve), both)
                << p << " and " << q;
        }
    }
}

// The masks' promise on its own: no value that matches a pattern, or equals a literal, lacks
// one of its bits.
TEST(BigramMaskTest, NoMatchingValueLacksABitOfThePattern) {
    for (const std::string& cell : trickyCells()) {
        const BigramMask mask = bigramMask(cell);
        for (const std::string& pattern : trickyPatterns()) {
            if (likeMatches(foldedCodePoints(cell), foldedCodePoints(pattern))) {
                EXPECT_TRUE(mayHold(mask, likePatternMask(foldedCodePoints(pattern))))
                    << cell << " like " << pattern;
            }
        }
        for (const std::string& literal : trickyCells()) {
            if (equalsIgnoringCase(cell, literal)) {
                EXPECT_TRUE(mayHold(mask, foldedBigramMask(foldedCodePoints(literal))))
                    << cell << " = " << literal;
            }
        }
    }
    EXPECT_FALSE(mayHold(bigramMask("6205"), likePatternMask(U"%6204%")))
        << "a mask that rules nothing out is no use";
}

} // namespace
} // namespace bearing
