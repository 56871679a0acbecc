// SPDX-License-Identifier: MIT
#include "second/study.h"
#include "second/study_form.h"
#include "worked_cases.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <random>

namespace {

using namespace kz::second;

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
INSTANTIATE_TEST_SUITE_P(Table, Worked, testing::ValuesIn(kWorkedRows));

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
INSTANTIATE_TEST_SUITE_P(Table, Optimal, testing::ValuesIn(kOptimumRows));

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
