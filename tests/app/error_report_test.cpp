// The general error report's text: when a full stop is appended to the failure's message.
#include "app/error_report.h"
#include "tests/support/case_name.h"

#include <gtest/gtest.h>

using namespace bearing;

namespace {

struct TextCase {
    const char* name;
    const char* message;
    const char* shown;
};

class ErrorReportTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ErrorReportTextTest, appendsFullStopAfterCharactersAboveIt) {
    const TextCase& c = GetParam();
    EXPECT_EQ(errorReportText(QString::fromUtf8(c.message)).toStdString(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ErrorReportTextTest,
    testing::Values(TextCase{"empty", "", ""},
                    TextCase{"chineseFullStop", "找不到数据库文件“bde.mdb”。",
                             "找不到数据库文件“bde.mdb”。."},
                    TextCase{"letter", "no such column", "no such column."},
                    TextCase{"fullStop", "already stopped.", "already stopped."},
                    // '-' (45) and '/' (47) sit either side of the full stop's code.
                    TextCase{"dash", "ends in a dash -", "ends in a dash -"},
                    TextCase{"slash", "ends in a slash /", "ends in a slash /."},
                    TextCase{"digit", "count: 0", "count: 0."},
                    TextCase{"space", "trailing space ", "trailing space "},
                    TextCase{"fullWidthExclamation", "错误！！！", "错误！！！."}),
    bearing::test::CaseName());

} // namespace
