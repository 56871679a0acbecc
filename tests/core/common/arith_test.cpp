// SPDX-License-Identifier: MIT
#include "core/common/arith.h"
#include "core/common/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace {

using kz::ArithmeticError;

struct RoundCase { double in; std::int64_t expected; };

class ToInt32 : public testing::TestWithParam<RoundCase> {};

TEST_P(ToInt32, RoundsHalfToEven)
{
    EXPECT_EQ(kz::toInt32(GetParam().in), GetParam().expected) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(Table, ToInt32, testing::Values(
    RoundCase{2.5, 2}, RoundCase{3.5, 4}, RoundCase{0.5, 0}, RoundCase{1.5, 2},
    RoundCase{-2.5, -2}, RoundCase{-3.5, -4}, RoundCase{-0.5, 0}, RoundCase{12.5, 12}, RoundCase{13.5, 14},
    RoundCase{0.4, 0}, RoundCase{0.6, 1}, RoundCase{1.5000000000000002, 2}, RoundCase{2.4999999999999996, 2},
    RoundCase{2147483647.0, 2147483647}, RoundCase{2147483647.4, 2147483647},
    RoundCase{-2147483648.0, -2147483648LL}, RoundCase{-2147483648.5, -2147483648LL}));

TEST(ToInt32, FailsOutsideRange)
{
    for (double v : {2147483647.5, 2147483648.0, -2147483649.0, -2147483648.6, 1e300,
                     std::numeric_limits<double>::infinity(), std::nan("")})
        EXPECT_THROW(kz::toInt32(v), ArithmeticError) << v;
}

TEST(ToInt16, RoundsHalfToEvenWithinLimits)
{
    const struct { double in; int expected; } cases[] = {
        {2.5, 2}, {3.5, 4}, {32767.0, 32767}, {32767.4, 32767}, {-32768.0, -32768}, {-32768.5, -32768}};
    for (const auto& c : cases)
        EXPECT_EQ(kz::toInt16(c.in), c.expected) << c.in;
    for (double v : {32767.5, 32768.0, -32768.6, -32769.0, std::nan("")})
        EXPECT_THROW(kz::toInt16(v), ArithmeticError) << v;
}

TEST(Checked32, OverflowThrowsAtTheLimits)
{
    constexpr auto max = std::numeric_limits<std::int32_t>::max();
    constexpr auto min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(kz::add32(max - 1, 1), max);
    EXPECT_THROW(kz::add32(max, 1), ArithmeticError);
    EXPECT_EQ(kz::sub32(min + 1, 1), min);
    EXPECT_THROW(kz::sub32(min, 1), ArithmeticError);
    EXPECT_EQ(kz::mul32(10000, 214748), 2147480000);
    EXPECT_THROW(kz::mul32(10000, 214749), ArithmeticError);
    EXPECT_EQ(kz::neg16(-32767), 32767);
    EXPECT_THROW(kz::neg16(-32768), ArithmeticError);
}

TEST(CheckedDouble, DivisionByZeroAndNonFiniteResultsFail)
{
    EXPECT_THROW(kz::div(1.0, 0.0), ArithmeticError);
    EXPECT_THROW(kz::div(0.0, 0.0), ArithmeticError);
    EXPECT_THROW(kz::div(1.0, -0.0), ArithmeticError);
    EXPECT_THROW(kz::div(1e300, 1e-300), ArithmeticError);
    EXPECT_THROW(kz::mul(1e300, 1e300), ArithmeticError);
    EXPECT_THROW(kz::pow(-1.0, 0.5), ArithmeticError);
    EXPECT_THROW(kz::pow(0.0, -1.0), ArithmeticError);
    EXPECT_DOUBLE_EQ(kz::div(1.0, 3.0), 1.0 / 3.0);
    EXPECT_EQ(kz::pow(1.04, 0.0), 1.0);
}

TEST(Geometry, TwipsToPixelsAndPlacement)
{
    EXPECT_EQ(kz::twipsToPx(1725), 115);
    EXPECT_EQ(kz::twipsToPx(3960), 264);
    EXPECT_EQ(kz::twipsToPx(1095), 73);
    EXPECT_EQ(kz::twipsToPx(8), 1);
    EXPECT_EQ(kz::twipsToPx(7), 0);

    const struct { kz::Size screen, window; int across, down; kz::Point expected; } cases[] = {
        {{1920, 1080}, {400, 300}, 2, 3, {760, 260}},
        {{1920, 1080}, {400, 300}, 2, 2, {760, 390}},
        {{1920, 1080}, {600, 470}, 0, 4, {1320, 152}},
        // Larger than the screen: the title bar stays on it, at 0 where the share is negative.
        {{800, 600}, {880, 624}, 2, 2, {0, 0}},
        {{800, 600}, {881, 625}, 2, 4, {0, 0}},
        {{1093, 614}, {882, 654}, 2, 2, {105, 0}},   // 1366 x 768 at 125 %, the tax window
        {{800, 600}, {900, 500}, 0, 4, {0, 25}},
    };
    for (const auto& c : cases) {
        const kz::Point p = kz::placeWindow(c.screen, c.window, c.across, c.down);
        EXPECT_EQ(p.x, c.expected.x);
        EXPECT_EQ(p.y, c.expected.y);
    }
}

// Room: the available area less a 32-px title bar; a scroll bar is 16 px.
TEST(Geometry, WindowFitsItsScreen)
{
    const struct { kz::Size room, stated, expected; } cases[] = {
        {{1093, 582}, {880, 624}, {896, 582}},  // 1366 x 768 at 125 %, the tax window: scrolls down
        {{1280, 688}, {880, 624}, {880, 624}},  // 1280 x 720: as stated
        {{1024, 568}, {880, 624}, {896, 568}},  // 1024 x 600
        {{1024, 568}, {601, 471}, {601, 471}},  // the help window on it
        {{1024, 568}, {1024, 568}, {1024, 568}},
        {{1010, 568}, {1000, 600}, {1010, 568}}, // the bar down leaves too little across
        {{1010, 568}, {1020, 560}, {1010, 568}}, // and the bar across too little down
        {{1040, 568}, {1050, 500}, {1040, 516}}, // scrolls across only
    };
    for (const auto& c : cases) {
        const kz::Size fit = kz::fitWindow(c.room, c.stated, 16);
        EXPECT_EQ(fit.width, c.expected.width);
        EXPECT_EQ(fit.height, c.expected.height);
    }
}

} // namespace
