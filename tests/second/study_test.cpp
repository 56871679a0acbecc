// SPDX-License-Identifier: MIT
#include "second/study.h"
#include "second/study_form.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <random>

namespace {

using namespace kz::second;
const kz::tax::LawEdition* const k2008 = &kz::tax::lawEditions()[0];
const kz::tax::LawEdition* const k2024 = &kz::tax::lawEditions()[1];

// Every figure worked by hand from the quick tables: the four public cases (2024), the same
// family under the 2008 law, then edge rows: E = 0, P dominating, A > 0 with Y = 0, 5, 9, 10.
struct Row { const kz::tax::LawEdition* law; std::int32_t e; int n; std::int32_t s, p; int y;
             double d1, x1, t1, red, a, ch, f, e2, d2, x2, t2, k, g, total; };
class Worked : public testing::TestWithParam<Row> {};
TEST_P(Worked, EveryFigure)
{
    const Row r = GetParam();
    const Figures f = evaluate({r.e, r.n, r.s, r.p, r.y, r.law});
    const double got[] = {f.firstDeduction, f.firstTaxable, f.firstTax, f.reduction, f.spousePays, f.childrenPay,
        f.firstPayable, f.secondEstate, f.secondDeduction, f.secondTaxable, f.secondTax, f.credit, f.secondPayable, f.total};
    const double want[] = {r.d1, r.x1, r.t1, r.red, r.a, r.ch, r.f, r.e2, r.d2, r.x2, r.t2, r.k, r.g, r.total};
    for (std::size_t i = 0; i < std::size(want); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-6 * std::max(1.0, want[i])) << "figure " << i;
}
INSTANTIATE_TEST_SUITE_P(Table, Worked, testing::Values(
    Row{k2024, 100000, 2, 40000, 0, 10, 48000, 52000, 6300, 2520, 0, 3780, 3780, 40000, 42000, 0, 0, 0, 0, 3780},
    Row{k2024, 100000, 2, 100000, 0, 10, 48000, 52000, 6300, 6300, 0, 0, 0, 100000, 42000, 58000, 7700, 0, 7700, 7700},
    Row{k2024, 200000, 2, 60000, 0, 10, 48000, 152000, 27000, 8100, 0, 18900, 18900, 60000, 42000, 18000, 1800, 0, 1800, 20700},
    Row{k2024, 300000, 1, 0, 200000, 10, 42000, 258000, 69200, 0, 0, 69200, 69200, 200000, 36000, 164000, 48600, 0, 48600, 117800},
    Row{k2008, 100000, 2, 40000, 0, 10, 80000, 20000, 2000, 800, 0, 1200, 1200, 40000, 70000, 0, 0, 0, 0, 1200},
    Row{k2008, 100000, 2, 100000, 0, 10, 80000, 20000, 2000, 2000, 0, 0, 0, 100000, 70000, 30000, 3500, 0, 3500, 3500},
    Row{k2008, 200000, 2, 60000, 0, 10, 80000, 120000, 19000, 5700, 0, 13300, 13300, 60000, 70000, 0, 0, 0, 0, 13300},
    Row{k2008, 300000, 1, 0, 200000, 10, 70000, 230000, 58000, 0, 0, 58000, 58000, 200000, 60000, 140000, 39000, 0, 39000, 97000},
    Row{k2024, 0, 1, 0, 0, 10, 42000, 0, 0, 0, 0, 0, 0, 0, 36000, 0, 0, 0, 0, 0},
    Row{k2024, 0, 1, 0, 100000, 3, 42000, 0, 0, 0, 0, 0, 0, 100000, 36000, 64000, 12200, 0, 12200, 12200},
    Row{k2024, 100000, 2, 50000, 1000000, 10, 48000, 52000, 6300, 3150, 0, 3150, 3150, 1050000, 42000, 1008000, 420000, 0, 420000, 423150},
    Row{k2024, 400000, 2, 400000, 0, 0, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 46100, 44660, 90760},
    Row{k2024, 400000, 2, 400000, 0, 5, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 23050, 67710, 113810},
    Row{k2024, 400000, 2, 400000, 0, 9, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 4610, 86150, 132250},
    Row{k2024, 400000, 2, 400000, 0, 10, 48000, 352000, 92200, 46100, 46100, 0, 46100, 353900, 42000, 311900, 90760, 0, 90760, 136860}));

// The largest estate the sheet holds (② is a 32-bit sum) with the largest P: worked by hand.
TEST(Study, LargestEstateWithoutOverflow)
{
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const Figures f = evaluate({kMax, 1, kMax, kMax, 0, k2024});
    EXPECT_NEAR(f.firstTax, 1180948905.85, 1e-3);
    EXPECT_NEAR(f.secondPayable, 1446904809.66625, 1e-3);
    EXPECT_EQ(shown(f.total), 2037379263);
    EXPECT_NO_THROW(optimum({kMax, 10, 0, kMax, 0, k2024}));
    EXPECT_THROW(evaluate({100, 1, 101, 0, 10, k2024}), std::invalid_argument);
}

// Dragging redraws every frame: the whole recomputation (figures, optimum, table, curve) of
// the largest case, the best of many runs so that a busy machine does not count.
TEST(Study, RecomputationUnderOneMillisecond)
{
    StudyForm form({std::numeric_limits<std::int32_t>::max(), 10, 0, 0, 0, k2024});
    auto best = std::chrono::nanoseconds::max();
    for (int i = 0; i < 200; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        form.setText(Entry::Share, std::to_string(i * 10'000'000));
        best = std::min(best, std::chrono::steady_clock::now() - t0);
    }
    EXPECT_LT(best, std::chrono::milliseconds(1));
    EXPECT_GT(form.curve().size(), 20u); // every quick-table bound of ten children is a kink
}

// Hand-worked optima: A stays 0 (R > E), so G = 0 until E2 = S reaches the deduction,
// and from there the children's 10 % outruns F's fall by T1/E.
struct OptRow { const kz::tax::LawEdition* law; std::int32_t e, p; std::int32_t share; double total;
                std::int32_t largestShare; double largest; };
class Optimal : public testing::TestWithParam<OptRow> {};
TEST_P(Optimal, ShareAndTotals)
{
    const OptRow r = GetParam();
    const Optimum o = optimum({r.e, 2, 0, r.p, 10, r.law});
    EXPECT_EQ(o.share, r.share);
    EXPECT_NEAR(o.total, r.total, 1e-6);
    EXPECT_EQ(o.equalRanges, (std::vector<ShareRange>{{r.share, r.share}}));
    EXPECT_EQ(o.largestShare, r.largestShare);
    EXPECT_NEAR(o.largestTotal, r.largest, 1e-6);
}
INSTANTIATE_TEST_SUITE_P(Table, Optimal, testing::Values(
    OptRow{k2024, 100000, 0, 42000, 3654, 100000, 7700}, OptRow{k2008, 100000, 0, 70000, 600, 100000, 3500},
    OptRow{k2024, 100000, 1000000, 0, 401300, 100000, 445000}));

// Every whole 千円 scanned against the break-point search, on random small families.
TEST(Study, OptimumMatchesScanOfEveryShare)
{
    std::mt19937 rng(19);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int wideRanges = 0, interior = 0, credited = 0;
    for (int c = 0; c < 80; ++c) {
        // Every fourth past the reduction's bound with many children, where the credit can outgrow T2.
        const bool large = c % 4 == 3;
        StudyInput in{large ? pick(330000, 520000) : pick(0, 260000), large ? pick(8, 10) : pick(1, 4), 0,
                      large ? pick(0, 5000) : pick(0, 1) * pick(1, 250000), large ? 0 : pick(0, 10),
                      &kz::tax::lawEditions()[(c / 4) % 2], &kz::tax::lawEditions()[(c / 8) % 2]};
        Optimum scan;
        scan.total = evaluate(in).total;
        for (in.spouseShare = 0; in.spouseShare <= in.estate; ++in.spouseShare) {
            const double t = evaluate(in).total;
            if (t < scan.total && !sameTotal(t, scan.total))
                scan.share = in.spouseShare, scan.total = t;
            if (t > scan.largestTotal && !sameTotal(t, scan.largestTotal))
                scan.largestShare = in.spouseShare, scan.largestTotal = t;
        }
        for (in.spouseShare = 0; in.spouseShare <= in.estate; ++in.spouseShare) {
            const bool at = sameTotal(evaluate(in).total, scan.total);
            if (at && (scan.equalRanges.empty() || scan.equalRanges.back().to != in.spouseShare - 1))
                scan.equalRanges.push_back({in.spouseShare, in.spouseShare});
            else if (at)
                scan.equalRanges.back().to = in.spouseShare;
        }
        const Optimum o = optimum(in);
        SCOPED_TRACE(testing::Message() << "E " << in.estate << " n " << in.children << " P " << in.spouseAssets
                                        << " Y " << in.years << " case " << c);
        EXPECT_EQ(o.share, scan.share);
        EXPECT_TRUE(sameTotal(o.total, scan.total));
        EXPECT_EQ(o.equalRanges, scan.equalRanges);
        EXPECT_EQ(o.largestShare, scan.largestShare);
        wideRanges += scan.equalRanges.front().to > scan.share;
        interior += o.share > 0 && o.share < in.estate;
        in.spouseShare = o.share;
        credited += evaluate(in).credit > 0;
    }
    EXPECT_GT(wideRanges, 0); // the scan must meet level stretches and inner optima, or it proves little
    EXPECT_GT(interior, 10);
    EXPECT_GT(credited, 3);
}

} // namespace
