// SPDX-License-Identifier: MIT
// The steps of each worked example on the tabs: the coefficient to eight decimals (worked
// apart from the program) and the result as the window shows it.
#include "core/coefficients/steps.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

namespace {

using namespace kz::coef;

void run(Calculator& m, const Problem& p)
{
    fill(m, p);
    m.calculate(p.calc);
}

// Each worked example: the lines "numbers = result" of its steps.
const std::vector<std::vector<std::string>> kSteps{
    {"(1 + 4％)の10乗 = 1.48024428", "1,000,000 × 1.48024428 = 1,480,244円"},
    {"(1 + 1.6％)の10乗 = 1.17倍"},
    {"1 ÷ (1 + 3％)の10乗 = 0.74409391", "5,000,000 × 0.74409391 = 3,720,470円"},
    {"1 ÷ (1 + 2％)の10乗 = 0.82034830", "0.82034830 × 100 = 82％", "10,000,000 × 0.82034830 = 8,203,482円"},
    {"3％ ÷ ((1 + 3％)の10乗 − 1) = 0.08723051", "1,000,000 × 0.08723051 = 87,231円"},
    {"((1 + 3％)の10乗 − 1) ÷ 3％ = 11.46387931", "100,000 × 11.46387931 = 1,146,388円"},
    {"3％ ÷ (1 − 1 ÷ (1 + 3％)の10乗) = 0.11723051", "10,000,000 × 0.11723051 = 1,172,305円"},
    {"5％ ÷ (1 − 1 ÷ (1 + 5％)の25乗) = 0.07095246", "20,000,000 × 0.07095246 = 1,419,049円"},
    {"(1 − 1 ÷ (1 + 3％)の10乗) ÷ 3％ = 8.53020284", "1,000,000 × 8.53020284 = 8,530,203円"},
};

TEST(CoefficientSteps, WorkedExamples)
{
    for (std::size_t i = 0; i < kWorkedExamples.size(); ++i) {
        Calculator m;
        const Problem& p = kWorkedExamples[i].problem;
        const int tab = calc(p.calc).tab;
        EXPECT_TRUE(calculationSteps(m, tab).empty());
        run(m, p);
        std::vector<std::string> lines;
        for (const kz::Step& s : calculationSteps(m, tab))
            lines.push_back(s.numbers + " = " + s.result + s.unit);
        EXPECT_EQ(lines, kSteps[i]) << kWorkedExamples[i].name;
    }
}

// A tab explains its last calculation only while its results stand.
TEST(CoefficientSteps, LastOnTheTabWhileItsResultsStand)
{
    Calculator m;
    run(m, kWorkedExamples[0].problem); // future value, tab 0
    run(m, kWorkedExamples[1].problem); // price rise, tab 0
    EXPECT_EQ(calculationSteps(m, 0).front().caption, "現時の物価");
    m.gotFocus(calc(Calc::FutureValue).rateField); // another calculation's field: it stays
    EXPECT_EQ(calculationSteps(m, 0).size(), 1u);
    m.gotFocus(calc(Calc::PriceRise).rateField);
    EXPECT_TRUE(calculationSteps(m, 0).empty());
    run(m, kWorkedExamples[2].problem); // present value, tab 1
    m.clear(Calc::PresentValue);
    EXPECT_TRUE(calculationSteps(m, 1).empty());
}

} // namespace
