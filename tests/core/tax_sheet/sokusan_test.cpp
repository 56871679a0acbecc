// SPDX-License-Identifier: MIT
#include "core/common/arith.h"
#include "core/tax_sheet/sokusan.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>
#include <utility>

namespace {

using kz::tax::sokusan;

struct TableCase { std::int32_t x; double tax; std::int32_t rounded; };

class Sokusan : public testing::TestWithParam<TableCase> {};

TEST_P(Sokusan, TaxAndCallersRounding)
{
    const auto [x, tax, rounded] = GetParam();
    EXPECT_DOUBLE_EQ(sokusan(x), tax) << x;
    EXPECT_EQ(kz::toInt32(sokusan(x)), rounded) << x;
}

// The worked table, then both sides of every bound: the slope above a bound names the row.
INSTANTIATE_TEST_SUITE_P(Table, Sokusan, testing::Values(
    TableCase{0, 0, 0}, TableCase{5, 0.5, 0}, TableCase{15, 1.5, 2}, TableCase{25, 2.5, 2},
    TableCase{-1000, -100, -100}, TableCase{10000, 1000, 1000}, TableCase{10005, 1000.75, 1001},
    TableCase{12345, 1351.75, 1352}, TableCase{25000, 3250, 3250}, TableCase{30000, 4000, 4000},
    TableCase{33333, 4666.6, 4667}, TableCase{50000, 8000, 8000}, TableCase{100000, 23000, 23000},
    TableCase{150000, 43000, 43000}, TableCase{300000, 103000, 103000}, TableCase{300001, 103000.5, 103000},
    TableCase{300003, 103001.5, 103002},
    TableCase{9999, 999.9, 1000}, TableCase{10001, 1000.15, 1000}, TableCase{29999, 3999.85, 4000},
    TableCase{30001, 4000.2, 4000}, TableCase{49999, 7999.8, 8000}, TableCase{50001, 8000.3, 8000},
    TableCase{99999, 22999.7, 23000}, TableCase{100001, 23000.4, 23000}, TableCase{299999, 102999.6, 103000},
    TableCase{std::numeric_limits<std::int32_t>::max(), 1073694823.5, 1073694824},
    TableCase{std::numeric_limits<std::int32_t>::min(), -214748364.8, -214748365}));

// Exact halves decide the caller's rounding, so these must hold to the last bit:
// 15 × 0.1 is exactly 1.5 in double; no extended precision may shift a half.
TEST(Sokusan, ExactHalves)
{
    EXPECT_EQ(sokusan(15), 1.5);
    EXPECT_EQ(sokusan(25), 2.5);
    EXPECT_EQ(sokusan(5), 0.5);
    EXPECT_EQ(sokusan(300001), 103000.5);
    EXPECT_EQ(sokusan(300003), 103001.5);
}

// The product is rounded to double before the deduction is taken: a single rounding of
// x × rate − deduction (fused or extended) gives a different last bit in these rows.
TEST(Sokusan, ProductRoundedBeforeDeduction)
{
    EXPECT_EQ(sokusan(10001), 1000.1499999999999);
    EXPECT_EQ(sokusan(30001), 4000.2000000000007);
    EXPECT_EQ(sokusan(50002), 8000.5999999999985);
    EXPECT_EQ(sokusan(100003), 23001.200000000004);
}

// 令和6年1月1日現在法令等: eight rows up to 55 %. Each bound with both neighbours: the bound
// gives the same tax by both rows, the slope on each side names the row.
const kz::tax::LawEdition& reiwa6() { return kz::tax::lawEditions()[1]; }

class SokusanReiwa6 : public testing::TestWithParam<TableCase> {};

TEST_P(SokusanReiwa6, TaxAndCallersRounding)
{
    const auto [x, tax, rounded] = GetParam();
    EXPECT_EQ(sokusan(x, reiwa6()), tax) << x;
    EXPECT_EQ(kz::toInt32(sokusan(x, reiwa6())), rounded) << x;
}

INSTANTIATE_TEST_SUITE_P(Table, SokusanReiwa6, testing::Values(
    TableCase{0, 0, 0}, TableCase{-1000, -100, -100},
    TableCase{9999, 999.9000000000001, 1000}, TableCase{10000, 1000, 1000}, TableCase{10001, 1000.1499999999999, 1000},
    TableCase{29999, 3999.8499999999995, 4000}, TableCase{30000, 4000, 4000}, TableCase{30001, 4000.2000000000007, 4000},
    TableCase{49999, 7999.800000000001, 8000}, TableCase{50000, 8000, 8000}, TableCase{50001, 8000.299999999999, 8000},
    TableCase{99999, 22999.699999999997, 23000}, TableCase{100000, 23000, 23000}, TableCase{100001, 23000.4, 23000},
    TableCase{199999, 62999.600000000006, 63000}, TableCase{200000, 63000, 63000}, TableCase{200001, 63000.45, 63000},
    TableCase{299999, 107999.55000000002, 108000}, TableCase{300000, 108000, 108000}, TableCase{300001, 108000.5, 108000},
    TableCase{599999, 257999.5, 258000}, TableCase{600000, 258000, 258000}, TableCase{600001, 258000.55000000005, 258001},
    TableCase{std::numeric_limits<std::int32_t>::max(), 1181044005.8500001, 1181044006},
    TableCase{std::numeric_limits<std::int32_t>::min(), -214748364.8, -214748365}));

// Exact halves in the rows of 15 %, 45 %, 50 % and 55 %, each rounded to even by the caller:
// 10,010 × 0.15 − 500 = 1,001.5; 200,010 × 0.45 − 27,000 = 63,004.5; 599,999 × 0.5 − 42,000
// = 257,999.5 and 600,010 × 0.55 − 72,000 = 258,005.5, the products' errors below half a unit.
TEST(SokusanReiwa6, ExactHalves)
{
    const std::pair<std::int32_t, double> halves[] = {
        {5, 0.5}, {25, 2.5}, {10010, 1001.5}, {200010, 63004.5}, {300001, 108000.5}, {599999, 257999.5}, {600010, 258005.5}};
    const std::int32_t even[] = {0, 2, 1002, 63004, 108000, 258000, 258006};
    for (std::size_t i = 0; i < std::size(halves); ++i) {
        EXPECT_EQ(sokusan(halves[i].first, reiwa6()), halves[i].second) << halves[i].first;
        EXPECT_EQ(kz::toInt32(sokusan(halves[i].first, reiwa6())), even[i]) << halves[i].first;
    }
}

} // namespace
