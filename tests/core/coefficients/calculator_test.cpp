// SPDX-License-Identifier: MIT
#include "core/coefficients/calculator.h"
#include "worked_examples.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace kz::coef;

void retype(Calculator& m, const Problem& p)
{
    const CalcInfo& ci = calc(p.calc);
    m.setText(ci.yearsField, p.years);
    m.setText(ci.rateField, p.rate);
}

std::vector<std::string> results(const Calculator& m, Calc c)
{
    std::vector<std::string> out;
    for (int r : calc(c).results)
        if (r != kNone)
            out.push_back(m.text(r));
    return out;
}

// A rate of 400 digits reads as infinity.
const char* hugeRate()
{
    static const std::string text(400, '9');
    return text.c_str();
}

class Calculate : public testing::TestWithParam<Case> {};

TEST_P(Calculate, ShowsTheResult)
{
    Calculator m;
    fill(m, GetParam().problem);
    EXPECT_EQ(m.calculate(GetParam().problem.calc), std::nullopt);
    EXPECT_EQ(results(m, GetParam().problem.calc), GetParam().expected);
    EXPECT_EQ(m.stopped(), kz::Failure::None);
}

using enum Calc;

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Calculate, testing::ValuesIn(kWorkedExamples),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(EdgeCases, Calculate, testing::Values(
    Case{"rate0_future_value_is_the_amount", {FutureValue, "1234567", "10", "0"}, {"1,234,567"}},
    Case{"rate0_present_value_is_the_amount", {PresentValue, "1234567", "10", "0.00"}, {"1,234,567"}},
    Case{"rate0_price_rise_is_one", {PriceRise, nullptr, "10", "0"}, {"1.00"}},
    Case{"rate0_land_keeps_price_and_100", {LandDecline, "5000000", "10", "0"}, {"5,000,000", "100"}},
    Case{"years0_annuity_future_is_0", {AnnuityFuture, "100000", "0", "3"}, {"0"}},
    Case{"years0_annuity_present_is_0", {AnnuityPresent, "1000000", "0", "3"}, {"0"}},
    Case{"land_price0_leaves_price_empty", {LandDecline, "0", "10", "2"}, {"", "82"}},
    Case{"land_price_is_floored", {LandDecline, "3", "1", "2"}, {"2", "98"}},
    Case{"negative_years_future_value", {FutureValue, "1000000", "-1", "4"}, {"961,538"}},
    Case{"years_2_5_count_as_2", {FutureValue, "1000000", "2.5", "10"}, {"1,210,000"}},
    Case{"years_3_5_count_as_4", {FutureValue, "1000000", "3.5", "10"}, {"1,464,100"}},
    Case{"years_read_from_the_leading_number", {FutureValue, "1000000", "2.", "10"}, {"1,210,000"}},
    Case{"negative_amount", {FutureValue, "-5000", "1", "10"}, {"-5,500"}},
    Case{"years_32767_fit", {FutureValue, "1000000", "32767", "-100"}, {"0"}},
    Case{"years_minus_32768_fit", {FutureValue, "1000000", "-32768", "100"}, {"0"}},
    Case{"years_minus_32768_5_round_to_even", {FutureValue, "1000000", "-32768.5", "100"}, {"0"}},
    Case{"years_32767_5_round_out_of_range_count_as_0", {FutureValue, "1000000", "32767.5", "-100"}, {"1,000,000"}},
    Case{"years_32768_count_as_0_and_go_on", {FutureValue, "1000000", "32768", "-100"}, {"1,000,000"}},
    Case{"unreadable_years_annuity_present_goes_on_with_0", {AnnuityPresent, "1000000", "99999", "3"}, {"0"}},
    Case{"rate_too_long_to_read_counts_as_0", {FutureValue, "7", "3", hugeRate()}, {"7"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Calculate, FutureValueWithMinusOneYearEqualsPresentValueWithOne)
{
    for (const char* rate : {"1", "4", "12.5"}) {
        Calculator m;
        fill(m, {FutureValue, "3000000", "-1", rate});
        fill(m, {PresentValue, "3000000", "1", rate});
        m.calculate(FutureValue);
        m.calculate(PresentValue);
        EXPECT_EQ(m.text(3), m.text(10)) << rate;
    }
}

// A failing formula leaves every result as it was, under either policy; a carry-on
// command differs in going on past an input that cannot be read.
struct Failure {
    const char* name;
    Problem good, bad;
    kz::Failure why; // what stopped it, for the message the window shows
};

std::ostream& operator<<(std::ostream& os, const Failure& f) { return os << f.name; }

class FailingFormula : public testing::TestWithParam<Failure> {};

TEST_P(FailingFormula, LeavesTheResultsAsTheyWere)
{
    const Failure& f = GetParam();
    Calculator m;
    fill(m, f.good);
    m.calculate(f.good.calc);
    const auto before = results(m, f.good.calc);
    ASSERT_NE(before.front(), "0");
    retype(m, f.bad);
    EXPECT_EQ(m.calculate(f.good.calc), std::nullopt);
    EXPECT_EQ(results(m, f.good.calc), before);
    EXPECT_EQ(m.stopped(), f.why);
}

INSTANTIATE_TEST_SUITE_P(Table, FailingFormula, testing::Values(
    Failure{"future_value_overflow", {FutureValue, "1000000", "10", "4"}, {FutureValue, nullptr, "1000", "1000"}, kz::Failure::Range},
    Failure{"price_rise_overflow", {PriceRise, nullptr, "10", "1.6"}, {PriceRise, nullptr, "1000", "1000"}, kz::Failure::Range},
    Failure{"present_value_negates_minus_32768", {PresentValue, "5000000", "10", "3"}, {PresentValue, nullptr, "-32768", "3"}, kz::Failure::Range},
    Failure{"present_value_years_out_of_range", {PresentValue, "5000000", "10", "3"}, {PresentValue, nullptr, "40000", "3"}, kz::Failure::Range},
    Failure{"land_decline_zero_to_a_negative_power", {LandDecline, "10000000", "10", "2"}, {LandDecline, nullptr, "10", "-100"}, kz::Failure::Range},
    Failure{"sinking_fund_rate0", {SinkingFund, "1000000", "10", "3"}, {SinkingFund, nullptr, "10", "0"}, kz::Failure::Undefined},
    Failure{"sinking_fund_years0", {SinkingFund, "1000000", "10", "3"}, {SinkingFund, nullptr, "0", "3"}, kz::Failure::Undefined},
    Failure{"sinking_fund_unreadable_years_go_on_as_0", {SinkingFund, "1000000", "10", "3"}, {SinkingFund, nullptr, "40000", "3"}, kz::Failure::Undefined},
    Failure{"annuity_future_rate0", {AnnuityFuture, "100000", "10", "3"}, {AnnuityFuture, nullptr, "10", "0"}, kz::Failure::Undefined},
    Failure{"annuity_future_years_out_of_range", {AnnuityFuture, "100000", "10", "3"}, {AnnuityFuture, nullptr, "-40000", "3"}, kz::Failure::Range},
    Failure{"withdrawal_years0", {Withdrawal, "10000000", "10", "3"}, {Withdrawal, nullptr, "0", "3"}, kz::Failure::Undefined},
    Failure{"loan_repayment_rate0", {LoanRepayment, "20000000", "25", "5"}, {LoanRepayment, nullptr, "25", "0"}, kz::Failure::Undefined},
    Failure{"annuity_present_rate0", {AnnuityPresent, "1000000", "10", "3"}, {AnnuityPresent, nullptr, "10", "0"}, kz::Failure::Undefined}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FailingFormula, StopLeavesThePriceRiseWhereCarryOnShowsTheAmount)
{
    // Years that do not fit 16 bits: the future value goes on with 0 years, the price
    // rise and the present value stop.
    Calculator m;
    fill(m, {FutureValue, "1000000", "10", "4"});
    fill(m, {PriceRise, nullptr, "10", "1.6"});
    fill(m, {PresentValue, "5000000", "10", "3"});
    for (Calc c : {FutureValue, PriceRise, PresentValue})
        m.calculate(c);
    for (int years : {2, 5, 7})
        m.setText(years, "32768");
    for (Calc c : {FutureValue, PriceRise, PresentValue})
        m.calculate(c);
    EXPECT_EQ(m.text(3), "1,000,000");
    EXPECT_EQ(m.text(6), "1.17");
    EXPECT_EQ(m.text(10), "3,720,470");
}

// The checks: the first field of the checking order that is not a number.
struct Check {
    Calc calc;
    const char* years;
    const char* rate;
    int reported; // kNone: the command computes
};

class Checks : public testing::TestWithParam<Check> {};

TEST_P(Checks, ReportTheFirstFieldThatIsNotANumber)
{
    const Check& c = GetParam();
    Calculator m;
    fill(m, {c.calc, calc(c.calc).amountField == kNone ? nullptr : "1000", "10", "3"});
    m.calculate(c.calc);
    const auto before = results(m, c.calc);
    retype(m, {c.calc, nullptr, c.years, c.rate});
    const auto reported = m.calculate(c.calc);
    EXPECT_EQ(reported.value_or(kNone), c.reported);
    if (reported) {
        EXPECT_EQ(results(m, c.calc), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, Checks, testing::Values(
    Check{FutureValue, "", "", 1}, Check{FutureValue, "-", "3", 2}, Check{FutureValue, "10", ".", 1},
    Check{FutureValue, "10", "3", kNone}, Check{FutureValue, "10", "3%", 1}, Check{FutureValue, "1-0", "3", 2},
    Check{PriceRise, ".", "-", 4}, Check{PriceRise, "", "1.6", 5},
    Check{PresentValue, "", "", 7}, Check{PresentValue, "10", "-", 9}, Check{PresentValue, "10", "3.0", kNone},
    Check{LandDecline, ".", ".", 11}, Check{LandDecline, "10", "", 12},
    Check{SinkingFund, "-", "", 17}, Check{SinkingFund, "10", ".", 18},
    Check{AnnuityFuture, "", "-", 21}, Check{AnnuityFuture, "10", "", 22},
    Check{Withdrawal, "", "", 25}, Check{Withdrawal, "10", "1.2.3", 26},
    Check{LoanRepayment, ".", "", 29}, Check{LoanRepayment, "25", "-", 30},
    Check{AnnuityPresent, "-", "-", 33}, Check{AnnuityPresent, "10", ".", 34}, Check{AnnuityPresent, "-3", "-.5", kNone}));

TEST(Checks, TheAmountIsNeverChecked)
{
    Calculator m;
    m.setText(0, "abc"); // pasted; never left, so the stored amount is still 0
    m.setText(1, "4");
    m.setText(2, "10");
    EXPECT_EQ(m.calculate(FutureValue), std::nullopt);
    EXPECT_EQ(m.text(3), "0");
}

// Leaving an amount field stores the whole number at the start of its text.
struct Leave {
    const char* typed;
    std::int32_t stored;
    const char* shown;
};

class LeavingAnAmount : public testing::TestWithParam<Leave> {};

TEST_P(LeavingAnAmount, StoresAndGroups)
{
    Calculator m;
    for (int f = 0; f < kFieldCount; ++f) {
        if (field(f).kind != FieldKind::Amount)
            continue;
        typeInto(m, f, GetParam().typed);
        EXPECT_EQ(m.amount(field(f).slot), GetParam().stored) << f;
        EXPECT_EQ(m.text(f), GetParam().shown) << f;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, LeavingAnAmount, testing::Values(
    Leave{"1234567", 1234567, "1,234,567"}, Leave{"1234.5", 1234, "1,234"}, Leave{"1235.5", 1236, "1,236"},
    Leave{"0.5", 0, "0"}, Leave{"-2.5", -2, "-2"}, Leave{"-5000", -5000, "-5,000"}, Leave{"", 0, "0"},
    Leave{"-", 0, "0"}, Leave{"99999999999", 0, "0"}, Leave{"2147483647", 2147483647, "2,147,483,647"},
    Leave{"2147483647.5", 0, "0"}, Leave{"-2147483648", -2147483648, "-2,147,483,648"},
    Leave{"12-3", 12, "12"}, Leave{"1.2.3", 1, "1"}, Leave{"1,234", 1, "1"}, Leave{" 42円", 42, "42"}));

TEST(Focus, ArrivingInAnAmountShowsThePlainStoredValueSelected)
{
    Calculator m;
    typeInto(m, 8, "1234567");
    EXPECT_EQ(m.text(8), "1,234,567");
    std::vector<int> written;
    m.textChanged = [&](int f) { written.push_back(f); };
    EXPECT_TRUE(m.gotFocus(8));
    EXPECT_EQ(m.text(8), "1234567");
    EXPECT_EQ(written, (std::vector<int>{8, 10}));
    typeInto(m, 8, "-5000");
    m.gotFocus(8);
    EXPECT_EQ(m.text(8), "-5000");
}

TEST(Focus, RatesAndYearsKeepTheirTextAsTyped)
{
    Calculator m;
    typeInto(m, 1, "3");
    typeInto(m, 2, "2.50");
    EXPECT_EQ(m.text(1), "3");
    EXPECT_EQ(m.text(2), "2.50");
}

TEST(Focus, ArrivalResetsExactlyTheResultsOfItsCalculation)
{
    const Problem all[] = {
        {FutureValue, "1000000", "10", "4"}, {PriceRise, nullptr, "10", "1.6"},
        {PresentValue, "5000000", "10", "3"}, {LandDecline, "10000000", "10", "2"},
        {SinkingFund, "1000000", "10", "3"}, {AnnuityFuture, "100000", "10", "3"},
        {Withdrawal, "10000000", "10", "3"}, {LoanRepayment, "20000000", "25", "5"},
        {AnnuityPresent, "1000000", "10", "3"}};
    for (int f = 0; f < kFieldCount; ++f) {
        Calculator m;
        for (const Problem& p : all) {
            fill(m, p);
            m.calculate(p.calc);
        }
        Calculator before = m;
        EXPECT_EQ(m.gotFocus(f), isInput(f)) << f;
        for (int r = 0; r < kFieldCount; ++r) {
            if (isInput(r))
                continue;
            const bool reset = isInput(f) && field(r).calc == field(f).calc;
            EXPECT_EQ(m.text(r), reset ? "0" : before.text(r)) << "focus " << f << " result " << r;
        }
    }
}

TEST(Focus, ThePriceRiseResultResetsToZeroWithoutDecimals)
{
    Calculator m;
    EXPECT_EQ(m.text(6), "0.00");
    m.gotFocus(5);
    EXPECT_EQ(m.text(6), "0");
}

TEST(Opening, DesignTextsAndAmountsOfZero)
{
    Calculator m;
    for (int f = 0; f < kFieldCount; ++f) {
        const bool decimals = field(f).kind == FieldKind::Rate || f == 6;
        EXPECT_EQ(m.text(f), decimals ? "0.00" : "0") << f;
    }
    for (int s = 0; s < kAmountCount; ++s)
        EXPECT_EQ(m.amount(s), 0);
}

// "CE": the stored amount to 0, the fields to their texts, the focus to the first field.
struct Clear {
    Calc calc;
    int focus;
    std::vector<std::pair<int, std::string>> texts;
};

class ClearCommand : public testing::TestWithParam<Clear> {};

TEST_P(ClearCommand, ResetsItsCalculationOnly)
{
    const Clear& c = GetParam();
    Calculator m;
    for (int f = 0; f < kFieldCount; ++f)
        if (isInput(f))
            typeInto(m, f, "7");
    for (int i = 0; i < kCalcCount; ++i)
        m.calculate(calcAt(i));
    const Calculator before = m;
    std::vector<int> written;
    m.textChanged = [&](int f) { written.push_back(f); };

    EXPECT_EQ(m.clear(c.calc), c.focus);

    std::vector<int> expectedOrder;
    for (const auto& [f, text] : c.texts) {
        EXPECT_EQ(m.text(f), text) << f;
        expectedOrder.push_back(f);
    }
    EXPECT_EQ(written, expectedOrder);
    const int amountField = calc(c.calc).amountField;
    for (int s = 0; s < kAmountCount; ++s) {
        const bool cleared = amountField != kNone && field(amountField).slot == s;
        EXPECT_EQ(m.amount(s), cleared ? 0 : 7) << s;
    }
    for (int f = 0; f < kFieldCount; ++f) {
        if (field(f).calc != c.calc) {
            EXPECT_EQ(m.text(f), before.text(f)) << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Table, ClearCommand, testing::Values(
    Clear{FutureValue, 0, {{0, "0"}, {1, "0.00"}, {2, "0"}, {3, "0"}}},
    Clear{PriceRise, 4, {{4, "0.00"}, {5, "0"}, {6, "0.00"}}},
    Clear{PresentValue, 7, {{7, "0"}, {8, "0"}, {9, "0.00"}, {10, "0"}}},
    Clear{LandDecline, 11, {{11, "0"}, {12, "0.00"}, {13, "0"}, {14, "0"}, {15, "0"}}},
    Clear{SinkingFund, 16, {{16, "0"}, {17, "0"}, {18, "0"}, {19, "0"}}},
    Clear{AnnuityFuture, 20, {{20, "0"}, {21, "0"}, {22, "0.00"}, {23, "0"}}},
    Clear{Withdrawal, 24, {{24, "0"}, {25, "0"}, {26, "0.00"}, {27, "0"}}},
    Clear{LoanRepayment, 28, {{28, "0"}, {29, "0"}, {30, "0.00"}, {31, "0"}}},
    Clear{AnnuityPresent, 32, {{32, "0"}, {33, "0"}, {34, "0.00"}, {35, "0"}}}));

} // namespace
