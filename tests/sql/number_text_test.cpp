// The text form in which the engine shows numbers: Double, Single and Decimal.
#include "sql/number_text.h"

#include <gtest/gtest.h>

#include <limits>

namespace bearing {
namespace {

TEST(NumberText, NumbersHaveTheEngineTextForm) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {47, "47"},
        {47.5, "47.5"},
        {0.1, "0.1"},
        {-0.5, "-0.5"},
        {1e-7, "1E-07"},
        {15.25, "15.25"},
        {0, "0"},
        {123456789012345, "123456789012345"},
        {1e15, "1E+15"},
        {1.0 / 3, "0.333333333333333"},
        {-2147483648.0, "-2147483648"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDouble(c.value), c.text) << c.value;
    EXPECT_EQ(formatSingle(0.1f), "0.1");
    EXPECT_EQ(formatSingle(47.0f), "47");
    EXPECT_EQ(formatSingle(1.0f / 3), "0.3333333");
}

TEST(NumberText, DecimalsHaveTheEngineTextForm) {
    const unsigned __int128 largest =
        (static_cast<unsigned __int128>(0xFFFFFFFFFFFFFFFFull) << 64) | 0xFFFFFFFFFFFFFFFFull;
    const struct {
        unsigned __int128 magnitude;
        bool negative;
        unsigned scale;
        const char* text;
    } cases[] = {
        {0, false, 0, "0"},
        {0, true, 4, "0"},
        {1, true, 0, "-1"},
        {12345, false, 2, "123.45"},
        {12300, false, 2, "123"},
        {12340, true, 2, "-123.4"},
        {5, true, 1, "-0.5"},
        {47, false, 0, "47"},
        {470000, false, 4, "47"},
        {1, false, 28, "0.0000000000000000000000000001"},
        {999999999999999999ull, false, 0, "999999999999999999"},
        {largest, true, 0, "-340282366920938463463374607431768211455"},
        {largest, false, 38, "3.40282366920938463463374607431768211455"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatDecimal(c.magnitude, c.negative, c.scale), c.text) << c.text;
}

} // namespace
} // namespace bearing
