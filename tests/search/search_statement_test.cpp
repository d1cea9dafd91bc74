// Statements from the search builder, run through the statement engine over a small catalogue.
#include "search/search_sql.h"

#include "sql/sql_error.h"
#include "sql/sql_evaluator.h"
#include "sql/sql_text.h"
#include "sql/table.h"

#include "tests/support/case_name.h"
#include "tests/support/table_of.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bearing {
namespace {

using test::Cell;

// Dimensions stored as numbers, as the catalogue holds them; their cells are
// the Jet text form ("47", "15.25").
std::shared_ptr<const Table> catalogue() {
    const std::vector<std::vector<Cell>> rows{
        {"6204", "204", "SKF 6204-2RS", "47", "20", "14", "深沟球轴承 0类"},
        {"6204-Z", "80204", "NSK 6204Z", "47", "20", "14", "深沟球轴承 0类"},
        {"6205", "205", "SKF 6205", "52", "25", "15", "深沟球轴承 0类"},
        {"30204", "7204", "TORRINGTON 123", "47", "20", "15.25", "圆锥滚子轴承 7类"},
        {"51204", "8204", "TORRINGTON FAFNIR 123", "47", "20", "15", "推力球轴承 8类"},
        {"29412", "9039412", "FAG 29412", "210", "60", "67", "推力圆锥滚子轴承 "},
        {"29413", "9039413", "FAG 29413", "220", "65", "69", "推力圆锥滚子轴承"},
        {"Q\"1", "Q1", "KOYO\"X 1", std::nullopt, std::nullopt, std::nullopt, std::nullopt},
        {std::nullopt, std::nullopt, "SKF", std::nullopt, std::nullopt, std::nullopt, "未知类型"},
    };
    return test::tableOf("ZQbearing",
                         std::vector<Column>{{"newNO", ValueKind::Text},
                                             {"oldNO", ValueKind::Text},
                                             {"DZAO", ValueKind::Text},
                                             {"WJIN", ValueKind::Number},
                                             {"NJIN", ValueKind::Number},
                                             {"GDU", ValueKind::Number},
                                             {"BTYPE", ValueKind::Text}},
                         rows);
}

SelectResult run(const SearchCriteria& criteria) {
    const std::shared_ptr<const Table> table = catalogue();
    return runSelect(joinStatementLines(BuildSearchSql(criteria)), test::resolverFor(table));
}

// The new model numbers of the result, in result order; "(Null)" for a Null one.
std::vector<std::string> newModels(const SelectResult& result) {
    std::vector<std::string> out;
    for (std::uint32_t row : result.rows)
        out.emplace_back(result.table->cell(row, 0).value_or("(Null)"));
    return out;
}

struct SearchCase {
    const char* name;
    SearchCriteria criteria;
    std::vector<std::string> newModels;
};

SearchCriteria with(int mode, std::string model) {
    SearchCriteria c;
    c.searchMode = mode;
    c.modelText = std::move(model);
    return c;
}

std::vector<SearchCase> searchCases() {
    std::vector<SearchCase> cases;
    SearchCriteria worked = with(1, "6204");
    worked.outerDiameter = "47";
    worked.brand = "SKF";
    cases.push_back({"WorkedExample", worked, {"6204"}});
    cases.push_back({"AllModelColumns", with(0, "6204"), {"6204", "6204-Z"}});
    cases.push_back({"NewModelSubstring", with(1, "204"), {"30204", "51204", "6204", "6204-Z"}});
    cases.push_back({"OldModelSubstring", with(2, "0394"), {"29412", "29413"}});
    cases.push_back({"BrandModelSubstringIgnoresCase", with(3, "6204z"), {"6204-Z"}});

    SearchCriteria outer;
    outer.outerDiameter = "47";
    cases.push_back({"OuterDiameterThroughTextForm", outer, {"30204", "51204", "6204", "6204-Z"}});
    outer.outerDiameter = "47.0";
    cases.push_back({"OuterDiameterWithPointZeroFindsNothing", outer, {}});
    SearchCriteria inner;
    inner.innerDiameter = "25";
    cases.push_back({"InnerDiameter", inner, {"6205"}});
    outer.outerDiameter = "4";
    cases.push_back({"OuterDiameterMatchesWholeValue", outer, {}});
    SearchCriteria height;
    height.height = "15";
    cases.push_back({"HeightIsWholeValue", height, {"51204", "6205"}});
    height.height = "15.25";
    cases.push_back({"HeightWithFraction", height, {"30204"}});

    SearchCriteria brand;
    brand.brand = "skf";
    cases.push_back({"BrandIgnoresCaseAndNeedsSpace", brand, {"6204", "6205"}});
    brand.brand = "TORR";
    cases.push_back({"BrandPrefixNeedsTrailingSpace", brand, {}});
    brand.brand = "TORRINGTON";
    cases.push_back({"BrandFindsLongerDesignations", brand, {"30204", "51204"}});
    brand.brand = "TORRINGTON FAFNIR";
    cases.push_back({"BrandWithSpace", brand, {"51204"}});
    brand.brand = "KOYO\"X";
    cases.push_back({"QuoteInBrandStaysInsideValue", brand, {"Q\"1"}});

    SearchCriteria type;
    type.type = "推力圆锥滚子轴承 ";
    cases.push_back({"TypeWithTrailingSpaceIsExact", type, {"29412"}});
    type.type = "推力圆锥滚子轴承";
    cases.push_back({"TypeWithoutTrailingSpaceIsExact", type, {"29413"}});

    cases.push_back({"QuoteInModelStaysInsideValue", with(1, "Q\""), {"Q\"1"}});
    cases.push_back({"NothingMatches", with(1, "9999"), {}});
    SearchCriteria everything = with(0, "6204");
    everything.outerDiameter = "47";
    everything.innerDiameter = "20";
    everything.height = "14";
    everything.brand = "NSK";
    everything.type = "深沟球轴承 0类";
    cases.push_back({"EveryFilterTogether", everything, {"6204-Z"}});
    SearchCriteria noMode = with(-1, "6204");
    noMode.innerDiameter = "60";
    cases.push_back({"NoModeIgnoresModelText", noMode, {"29412"}});
    cases.push_back(
        {"ListAllWithoutMode",
         SearchCriteria{},
         {"(Null)", "29412", "29413", "30204", "51204", "6204", "6204-Z", "6205", "Q\"1"}});
    cases.push_back(
        {"ListAllPutsNullModelFirst",
         with(2, ""),
         {"(Null)", "29412", "29413", "30204", "51204", "6204", "6204-Z", "6205", "Q\"1"}});
    return cases;
}

class SearchStatementTest : public testing::TestWithParam<SearchCase> {};

TEST_P(SearchStatementTest, FindsExpectedRowsByNewModel) {
    EXPECT_EQ(newModels(run(GetParam().criteria)), GetParam().newModels);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SearchStatementTest, testing::ValuesIn(searchCases()),
                         bearing::test::CaseName());

TEST(SearchStatementRejectedTest, ModelTextWithoutModeIsAnEmptyCondition) {
    try {
        (void)run(with(-1, "6204"));
        FAIL() << "statement accepted";
    } catch (const StatementError& error) {
        EXPECT_STREQ(error.what(),
                     "查询语句有误：WHERE 之后缺少条件（在 \"order by newno\" 附近）");
    }
}

} // namespace
} // namespace bearing
