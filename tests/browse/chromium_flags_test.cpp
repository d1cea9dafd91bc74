// The browser engine's switches: the sandbox off only for root, no GPU, flags already given kept.
#include "browse/chromium_flags.h"

#include "tests/support/case_name.h"

#include <gtest/gtest.h>

#include <QStringList>

using bearing::chromiumFlags;

namespace {

struct Case {
    const char* name;
    const char* given;
    bool root;
    QStringList present;
    QStringList absent;
};

class ChromiumFlagsTest : public testing::TestWithParam<Case> {};

TEST_P(ChromiumFlagsTest, HoldsWhatTheEngineNeeds) {
    const Case& c = GetParam();
    const QStringList flags = chromiumFlags(QString::fromUtf8(c.given), c.root).split(' ');
    for (const QString& flag : c.present)
        EXPECT_EQ(flags.count(flag), 1)
            << flag.toStdString() << " in " << flags.join(' ').toStdString();
    for (const QString& flag : c.absent)
        EXPECT_FALSE(flags.contains(flag)) << flag.toStdString();
}

const QStringList kQuiet{"--disable-gpu", "--disable-background-networking",
                         "--disable-component-update", "--no-pings"};

INSTANTIATE_TEST_SUITE_P(
    Cases, ChromiumFlagsTest,
    testing::Values(Case{"rootNeedsNoSandbox", "", true, kQuiet + QStringList{"--no-sandbox"}, {}},
                    Case{"userKeepsSandbox", "", false, kQuiet, {"--no-sandbox", ""}},
                    Case{"givenFlagsKept",
                         "--lang=zh-CN  --enable-logging",
                         false,
                         kQuiet + QStringList{"--lang=zh-CN", "--enable-logging"},
                         {""}},
                    Case{"givenSwitchNotRepeated",
                         "--no-sandbox --disable-gpu",
                         true,
                         kQuiet + QStringList{"--no-sandbox"},
                         {}}),
    bearing::test::CaseName());

} // namespace
