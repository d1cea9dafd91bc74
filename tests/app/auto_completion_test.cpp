// The drop-down boxes' auto-completion rule over the real brand and type lists.
#include "app/auto_completion.h"
#include "search/catalogue.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace bearing;

namespace {

template <std::size_t N> QStringList listOf(const std::array<std::string_view, N>& entries) {
    QStringList list;
    for (const std::string_view entry : entries)
        list.append(QString::fromUtf8(entry.data(), qsizetype(entry.size())));
    return list;
}

struct CompletionCase {
    const char* name;
    bool brands;
    const char* prefix;
    std::optional<int> index;
    const char* text;
};

class CompleteTypedTest : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompleteTypedTest, completesToTheFirstEntryInListOrder) {
    const CompletionCase& c = GetParam();
    const QStringList entries = c.brands ? listOf(catalogue::kBrands) : listOf(catalogue::kTypes);
    const QString prefix = QString::fromUtf8(c.prefix);
    const std::optional<Completion> completion = completeTyped(entries, prefix);
    ASSERT_EQ(completion.has_value(), c.index.has_value());
    if (!completion)
        return;
    EXPECT_EQ(completion->index, *c.index);
    EXPECT_EQ(completion->text.toStdString(), c.text);
    EXPECT_EQ(completion->prefixLength, prefix.size());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompleteTypedTest,
    testing::Values(
        // SKF comes before SAMICK, SANYUAN and the other S brands in list order.
        CompletionCase{"firstInListOrderNotAlphabetical", true, "S", 47, "SKF"},
        CompletionCase{"hrbBeforeFafnir", true, "H", 9, "HCH"},
        CompletionCase{"longerPrefixMovesOn", true, "SA", 48, "SAMICK"},
        CompletionCase{"qBeginsQc", true, "Q", 43, "QC"},
        CompletionCase{"qxIsItsOwnEntry", true, "QX", 44, "QX"},
        CompletionCase{"wholeEntryLeavesNoRest", true, "SKF", 47, "SKF"},
        CompletionCase{"caseIgnoredTextKeepsPrefixAsTyped", true, "sk", 47, "skF"},
        CompletionCase{"spaceInsideAnEntry", true, "TORRINGTON ", 63, "TORRINGTON FAFNIR"},
        CompletionCase{"shorterEntryFirst", true, "TORRINGTON", 62, "TORRINGTON"},
        CompletionCase{"noEntryBegins", true, "SKFX", std::nullopt, ""},
        CompletionCase{"notAPrefixButInside", true, "KF", std::nullopt, ""},
        CompletionCase{"chineseType", false, "圆锥", 7, "圆锥滚子轴承 7类"},
        CompletionCase{"typeKeepsTrailingSpace", false, "推力圆锥", 11, "推力圆锥滚子轴承 "},
        CompletionCase{"typeFirstOfSeveral", false, "推力", 8, "推力球轴承 8类"}),
    bearing::test::CaseName());

TEST(CompleteTypedTest, anEmptyListCompletesNothing) {
    EXPECT_FALSE(completeTyped({}, "S").has_value());
}

} // namespace
