// SPDX-License-Identifier: MIT
#include "core/coefficients/formulas.h"

#include "core/common/arith.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace kz::coef;

// The relations between the six coefficients hold for every rate and period; each one
// ties two formulas together, so a slip in either shows up here.
TEST(Identities, HoldOverAGridOfRatesAndYears)
{
    const double rates[] = {-5, -0.5, 0.1, 1, 1.6, 2.5, 3, 5, 7.25, 10, 15, 40};
    const std::int16_t years[] = {-10, -1, 1, 2, 3, 5, 10, 25, 30, 50, 100};
    const auto near = [](double a, double b) { return std::fabs(a - b) <= 1e-11 * std::fmax(1.0, std::fabs(b)); };
    for (double r : rates) {
        for (std::int16_t n : years) {
            SCOPED_TRACE(testing::Message() << "r=" << r << " n=" << n);
            EXPECT_PRED2(near, futureValueFactor(r, n) * presentValueFactor(r, n), 1.0);
            EXPECT_PRED2(near, sinkingFundFactor(r, n) * annuityFutureFactor(r, n), 1.0);
            EXPECT_PRED2(near, capitalRecoveryFactor(r, n) * annuityPresentFactor(r, n), 1.0);
            EXPECT_PRED2(near, capitalRecoveryFactor(r, n), sinkingFundFactor(r, n) + r / 100);
            // The present value of an annuity is its future value discounted.
            EXPECT_PRED2(near, annuityPresentFactor(r, n), annuityFutureFactor(r, n) * presentValueFactor(r, n));
        }
    }
}

// Each factor to the last bit, in the order of operations the shown results rest on, and
// a neighbouring order that a rewrite might slip into: the grid has to tell them apart,
// or the exact comparisons would prove nothing.
TEST(OrderOfOperations, EveryFactorToTheLastBit)
{
    const double rates[] = {0.1, 0.7, 1, 1.6, 2, 2.5, 3, 3.3, 4, 5, 6.1, 7.25, 9.9, 12, 15};
    const std::int16_t years[] = {1, 2, 3, 7, 10, 13, 25, 30, 47};
    int fvApart = 0, sfApart = 0, afApart = 0, crApart = 0, apApart = 0;
    for (double r : rates) {
        for (std::int16_t n : years) {
            SCOPED_TRACE(testing::Message() << "r=" << r << " n=" << n);
            const double g = r / 100 + 1;
            const double up = std::pow(g, n), down = std::pow(g, -n);
            EXPECT_EQ(futureValueFactor(r, n), up);
            EXPECT_EQ(presentValueFactor(r, n), down);
            EXPECT_EQ(sinkingFundFactor(r, n), r / 100 / (up - 1));
            EXPECT_EQ(annuityFutureFactor(r, n), (up - 1) / r * 100);
            EXPECT_EQ(capitalRecoveryFactor(r, n), r / 100 / (1 - down));
            EXPECT_EQ(annuityPresentFactor(r, n), (1 - down) / r / 100 * 10000);
            fvApart += 1 / down != up;
            sfApart += r / (100 * (up - 1)) != r / 100 / (up - 1);
            afApart += (up - 1) * 100 / r != (up - 1) / r * 100;
            crApart += r / (100 * (1 - down)) != r / 100 / (1 - down);
            apApart += (1 - down) / (r / 100) != (1 - down) / r / 100 * 10000;
        }
    }
    EXPECT_GT(fvApart, 0);
    EXPECT_GT(sfApart, 0);
    EXPECT_GT(afApart, 0);
    EXPECT_GT(crApart, 0);
    EXPECT_GT(apApart, 0);
}

TEST(Identities, OneYearFactorsAreTheRateItself)
{
    for (double r : {1.0, 3.0, 8.0}) {
        EXPECT_NEAR(futureValueFactor(r, 1), 1 + r / 100, 1e-13);
        EXPECT_NEAR(presentValueFactor(r, 1), 1 / (1 + r / 100), 1e-13);
        EXPECT_NEAR(annuityFutureFactor(r, 1), 1.0, 1e-13);
        EXPECT_NEAR(sinkingFundFactor(r, 1), 1.0, 1e-13);
        EXPECT_NEAR(capitalRecoveryFactor(r, 1), 1 + r / 100, 1e-13);
        EXPECT_NEAR(annuityPresentFactor(r, 1), 1 / (1 + r / 100), 1e-13);
    }
}

TEST(Failures, RateZeroDividesZeroByZero)
{
    EXPECT_THROW(sinkingFundFactor(0, 10), kz::ArithmeticError);
    EXPECT_THROW(annuityFutureFactor(0, 10), kz::ArithmeticError);
    EXPECT_THROW(capitalRecoveryFactor(0, 10), kz::ArithmeticError);
    EXPECT_THROW(annuityPresentFactor(0, 10), kz::ArithmeticError);
    EXPECT_EQ(futureValueFactor(0, 10), 1.0);
    EXPECT_EQ(presentValueFactor(0, 10), 1.0);
}

TEST(Failures, ZeroYearsDivideByZeroWhereTheFactorDividesByTheGrowth)
{
    EXPECT_THROW(sinkingFundFactor(3, 0), kz::ArithmeticError);
    EXPECT_THROW(capitalRecoveryFactor(3, 0), kz::ArithmeticError);
    EXPECT_EQ(annuityFutureFactor(3, 0), 0.0);
    EXPECT_EQ(annuityPresentFactor(3, 0), 0.0);
}

TEST(Failures, OverflowAndTheSixteenBitNegation)
{
    EXPECT_THROW(futureValueFactor(1000, 1000), kz::ArithmeticError);
    EXPECT_THROW(presentValueFactor(-100, 10), kz::ArithmeticError); // 0 ^ -10
    EXPECT_THROW(presentValueFactor(3, -32768), kz::ArithmeticError);
    EXPECT_THROW(capitalRecoveryFactor(3, -32768), kz::ArithmeticError);
    EXPECT_NO_THROW(futureValueFactor(0, -32768));
    EXPECT_EQ(presentValueFactor(-100, 0), 1.0); // 0 ^ 0
}

} // namespace
