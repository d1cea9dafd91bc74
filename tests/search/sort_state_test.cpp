// SortState: the next sort expression and title marker after a title click.
#include "search/sort_state.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <string>

using namespace bearing;

namespace {

struct ClickCase {
    const char* name;
    const char* current;
    const char* field;
    const char* expression;
    std::string_view marker;
};

class SortStateClick : public testing::TestWithParam<ClickCase> {};

TEST_P(SortStateClick, givesNextExpressionAndMarker) {
    const ClickCase& c = GetParam();
    const SortStep step = SortState(c.current).clicked(c.field);
    EXPECT_EQ(step.expression, c.expression);
    EXPECT_EQ(step.marker, c.marker);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SortStateClick,
    testing::Values(ClickCase{"firstClick", "", "WJIN", "WJIN ASC", kAscendingMarker},
                    ClickCase{"secondClick", "WJIN ASC", "WJIN", "WJIN DESC", kDescendingMarker},
                    ClickCase{"thirdClick", "WJIN DESC", "WJIN", "WJIN ASC", kAscendingMarker},
                    ClickCase{"otherColumn", "WJIN ASC", "NJIN", "NJIN ASC", kAscendingMarker},
                    ClickCase{"backFromDescending", "NJIN DESC", "WJIN", "WJIN ASC",
                              kAscendingMarker},
                    // The comparison is exact: another spelling of the same order is not it.
                    ClickCase{"otherCase", "wjin ASC", "WJIN", "WJIN ASC", kAscendingMarker},
                    ClickCase{"twoSpaces", "WJIN  ASC", "WJIN", "WJIN ASC", kAscendingMarker},
                    ClickCase{"trailingSpace", "WJIN ASC ", "WJIN", "WJIN ASC", kAscendingMarker}),
    bearing::test::CaseName());

} // namespace
