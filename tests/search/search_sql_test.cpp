// The search statement builder: the exact statement lines for each combination of inputs.
#include "search/search_sql.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace bearing {
namespace {

struct BuildCase {
    const char* name;
    SearchCriteria criteria;
    std::vector<std::string> lines;
};

std::vector<std::string> filtered(const std::string& condition) {
    return {"select * from zqbearing where ", condition, "order by newno"};
}

SearchCriteria model(std::string text, int mode) {
    SearchCriteria c;
    c.modelText = std::move(text);
    c.searchMode = mode;
    return c;
}

SearchCriteria outer(std::string text, int mode = 1) {
    SearchCriteria c;
    c.outerDiameter = std::move(text);
    c.searchMode = mode;
    return c;
}

const std::vector<std::string> kListAll{"SELECT * FROM zqBEARING ORDER BY NEWNO"};

std::vector<BuildCase> buildCases() {
    std::vector<BuildCase> cases;

    SearchCriteria worked = model("6204", 1);
    worked.outerDiameter = "47";
    worked.brand = "SKF";
    cases.push_back(
        {"WorkedExample", worked,
         filtered(" (newno like \"%6204%\" )and wjin like \"47\" and DZAO LIKE \"SKF %\" ")});

    cases.push_back({"ModeAllModelColumns", model("6204", 0),
                     filtered(" (dzao like \"%6204%\" or newno like \"%6204%\" or oldno like "
                              "\"%6204%\")")});
    cases.push_back({"ModeNewModel", model("6204", 1), filtered(" (newno like \"%6204%\" )")});
    cases.push_back({"ModeOldModel", model("6204", 2), filtered(" (oldno like \"%6204%\")")});
    cases.push_back({"ModeBrandModel", model("6204", 3), filtered(" (dzao like \"%6204%\" )")});

    cases.push_back(
        {"NoModeWithOnlyModelTextGivesEmptyCondition", model("6204", -1), filtered("")});
    cases.push_back({"UnknownModeIndexGivesEmptyCondition", model("6204", 4), filtered("")});
    SearchCriteria noModeWithDiameter = model("6204", -1);
    noModeWithDiameter.outerDiameter = "47";
    cases.push_back(
        {"NoModeFiltersByDiameterOnly", noModeWithDiameter, filtered(" wjin like \"47\" ")});

    cases.push_back({"OnlyOuterDiameter", outer("47"), filtered(" wjin like \"47\" ")});
    SearchCriteria inner;
    inner.innerDiameter = "20";
    cases.push_back({"OnlyInnerDiameter", inner, filtered(" njin like \"20\" ")});
    SearchCriteria height;
    height.height = "14";
    cases.push_back({"OnlyHeight", height, filtered(" gdu like \"14\" ")});
    SearchCriteria brand;
    brand.brand = "TORRINGTON FAFNIR";
    cases.push_back({"OnlyBrand", brand, filtered(" DZAO LIKE \"TORRINGTON FAFNIR %\" ")});
    SearchCriteria type;
    type.type = "推力圆锥滚子轴承 ";
    cases.push_back({"TypeKeepsTrailingSpace", type, filtered(" btype =\"推力圆锥滚子轴承 \" ")});

    SearchCriteria all = model("6204", 0);
    all.outerDiameter = "47";
    all.innerDiameter = "20";
    all.height = "14";
    all.brand = "SKF";
    all.type = "深沟球轴承 0类";
    cases.push_back({"AllSevenInputs", all,
                     filtered(" (dzao like \"%6204%\" or newno like \"%6204%\" or oldno like "
                              "\"%6204%\")and wjin like \"47\" and njin like \"20\" and gdu like "
                              "\"14\" and DZAO LIKE \"SKF %\" and btype =\"深沟球轴承 0类\" ")});

    cases.push_back({"SingleSpaceIsNotEmpty", model(" ", 1), filtered(" (newno like \"% %\" )")});
    cases.push_back(
        {"WildcardsPassUnescaped", model("62_4%", 2), filtered(" (oldno like \"%62_4%%\")")});

    cases.push_back({"QuoteInModelTextIsDoubled", model("62\"04", 0),
                     filtered(" (dzao like \"%62\"\"04%\" or newno like \"%62\"\"04%\" or oldno "
                              "like \"%62\"\"04%\")")});
    SearchCriteria quotedBrand;
    quotedBrand.brand = "A\"B";
    cases.push_back({"QuoteInBrandIsDoubled", quotedBrand, filtered(" DZAO LIKE \"A\"\"B %\" ")});
    SearchCriteria quotedType;
    quotedType.type = "\"";
    cases.push_back({"QuoteInTypeIsDoubled", quotedType, filtered(" btype =\"\"\"\" ")});
    cases.push_back(
        {"PastedQuoteInDiameterIsDoubled", outer("4\"7"), filtered(" wjin like \"4\"\"7\" ")});

    for (int mode : {-1, 0, 1, 2, 3}) {
        SearchCriteria empty;
        empty.searchMode = mode;
        cases.push_back(
            {mode < 0 ? "EverythingEmptyNoMode" : "EverythingEmptyWithMode", empty, kListAll});
    }
    return cases;
}

class BuildSearchSqlTest : public testing::TestWithParam<BuildCase> {};

TEST_P(BuildSearchSqlTest, GivesExactLines) {
    EXPECT_EQ(BuildSearchSql(GetParam().criteria), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Inputs, BuildSearchSqlTest, testing::ValuesIn(buildCases()),
                         [](const testing::TestParamInfo<BuildCase>& info) {
                             return std::string(info.param.name) + "_" + std::to_string(info.index);
                         });

TEST(JoinStatementLinesTest, EndsEveryLineWithCarriageReturnLineFeed) {
    EXPECT_EQ(joinStatementLines(filtered("")),
              "select * from zqbearing where \r\n\r\norder by newno\r\n");
    EXPECT_EQ(joinStatementLines(kListAll), "SELECT * FROM zqBEARING ORDER BY NEWNO\r\n");
}

} // namespace
} // namespace bearing
