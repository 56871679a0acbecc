// SPDX-License-Identifier: MIT
#include "core/common/format.h"
#include "core/common/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <clocale>
#include <string>

namespace {

struct FormatCase { double in; const char* expected; };

std::string name(double v) { return testing::PrintToString(v); }

class Grouped : public testing::TestWithParam<FormatCase> {};
// groupedValue is the number the text shows, near halves and exact halves included.
TEST_P(Grouped, Pattern)
{
    EXPECT_EQ(kz::formatGrouped(GetParam().in), GetParam().expected) << name(GetParam().in);
    std::string digits = GetParam().expected;
    std::erase(digits, ',');
    if (std::abs(GetParam().in) < 9e18) {
        EXPECT_EQ(kz::groupedValue(GetParam().in), std::stoll(digits)) << name(GetParam().in);
    }
}
INSTANTIATE_TEST_SUITE_P(Table, Grouped, testing::Values(
    FormatCase{0, "0"}, FormatCase{-0.0, "0"}, FormatCase{-0.4, "0"}, FormatCase{1234567, "1,234,567"},
    FormatCase{-1234, "-1,234"}, FormatCase{-5000, "-5,000"}, FormatCase{999, "999"}, FormatCase{1000, "1,000"},
    FormatCase{2147483647, "2,147,483,647"}, FormatCase{-2147483648.0, "-2,147,483,648"},
    FormatCase{0.5, "1"}, FormatCase{1.5, "2"}, FormatCase{2.5, "3"}, FormatCase{-2.5, "-3"},
    FormatCase{47275.0, "47,275"}, FormatCase{77500 * 0.61, "47,275"}, FormatCase{1480244.28, "1,480,244"},
    FormatCase{1e20, "100,000,000,000,000,000,000"}, FormatCase{2.4999999999999996, "3"},
    FormatCase{32103.499999999996, "32,104"}, FormatCase{3150.5, "3,151"}, FormatCase{-3150.5, "-3,151"}));

class GroupedOrEmpty : public testing::TestWithParam<FormatCase> {};
TEST_P(GroupedOrEmpty, Pattern) { EXPECT_EQ(kz::formatGroupedOrEmpty(GetParam().in), GetParam().expected) << name(GetParam().in); }
INSTANTIATE_TEST_SUITE_P(Table, GroupedOrEmpty, testing::Values(
    FormatCase{0, ""}, FormatCase{0.4, ""}, FormatCase{-0.4, ""}, FormatCase{0.5, "1"},
    FormatCase{8203482, "8,203,482"}, FormatCase{-5, "-5"}));

class TwoDecimals : public testing::TestWithParam<FormatCase> {};
TEST_P(TwoDecimals, Pattern) { EXPECT_EQ(kz::formatTwoDecimals(GetParam().in), GetParam().expected) << name(GetParam().in); }
INSTANTIATE_TEST_SUITE_P(Table, TwoDecimals, testing::Values(
    FormatCase{0, "0.00"}, FormatCase{1, "1.00"}, FormatCase{1.005, "1.01"}, FormatCase{0.5, "0.50"},
    FormatCase{0.125, "0.13"}, FormatCase{-0.001, "0.00"}, FormatCase{-1.5, "-1.50"},
    FormatCase{1.171958, "1.17"}, FormatCase{160000.0 / 300000.0, "0.53"}, FormatCase{1234.5, "1234.50"},
    FormatCase{0.004999, "0.00"}, FormatCase{0.995, "1.00"}, FormatCase{99.999, "100.00"}));

class Plain : public testing::TestWithParam<FormatCase> {};
TEST_P(Plain, Form) { EXPECT_EQ(kz::formatPlain(GetParam().in), GetParam().expected) << name(GetParam().in); }
INSTANTIATE_TEST_SUITE_P(Table, Plain, testing::Values(
    FormatCase{0, "0"}, FormatCase{-0.0, "0"}, FormatCase{0.33, "0.33"}, FormatCase{0.5, "0.5"}, FormatCase{1, "1"},
    FormatCase{300, "300"}, FormatCase{4.1 * 60, "246"}, FormatCase{2.5 * 60, "150"}, FormatCase{-0.07, "-0.07"},
    FormatCase{1.0 / 3.0, "0.333333333333333"}, FormatCase{123456789012345.0, "123456789012345"},
    FormatCase{1e15, "1E+15"}, FormatCase{0.0001, "0.0001"}, FormatCase{0.00001, "1E-05"},
    FormatCase{1.5e-7, "1.5E-07"}));

struct ReadCase { const char* text; double expected; };
class PlainRead : public testing::TestWithParam<ReadCase> {};
TEST_P(PlainRead, Whole) { EXPECT_EQ(kz::plainValue(GetParam().text), GetParam().expected) << GetParam().text; }
INSTANTIATE_TEST_SUITE_P(Table, PlainRead, testing::Values(
    ReadCase{"0", 0}, ReadCase{"300", 300}, ReadCase{"-0.07", -0.07}, ReadCase{"0.333333333333333", 0.333333333333333},
    ReadCase{"6E-06", 6e-06}, ReadCase{"-1.5E-07", -1.5e-07}, ReadCase{"1E+15", 1e15}, ReadCase{"", 0},
    ReadCase{"abc", 0}, ReadCase{"1E-400", 0}, // too large for a double: infinity, never 0
    ReadCase{"1.79769313486232E+308", std::numeric_limits<double>::infinity()}));

// What a plain label shows reads back as the value shown, E form included.
TEST(PlainRead, RoundTripsFormatPlain)
{
    for (double v : {0.0, 246.0, -0.07, 0.0001, 0.00001, 6e-06, 1.5e-7, 1e15, -2.5e20, 123456789012345.0})
        EXPECT_EQ(kz::plainValue(kz::formatPlain(v)), v) << kz::formatPlain(v);
}

TEST(FormatInteger, PlainDigits)
{
    EXPECT_EQ(kz::formatInteger(1234567), "1234567");
    EXPECT_EQ(kz::formatInteger(-500), "-500");
    EXPECT_EQ(kz::formatInteger(0), "0");
}

} // namespace

namespace {

// Qt sets the process locale from the environment; a decimal comma must change nothing.
TEST(Locale, ReadingAndFormattingIgnoreTheProcessLocale)
{
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") && !std::setlocale(LC_ALL, "fr_FR.UTF-8"))
        GTEST_SKIP() << "no decimal-comma locale installed";
    EXPECT_EQ(kz::formatTwoDecimals(1.005), "1.01");
    EXPECT_EQ(kz::formatPlain(0.33), "0.33");
    EXPECT_EQ(kz::numericValue("2.5"), 2.5);
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
