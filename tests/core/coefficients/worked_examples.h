// SPDX-License-Identifier: MIT
#pragma once
// The problems printed on the coefficient window's tabs with the figures worked for them,
// shared by the model's tests and the batch front end's.
#include "core/coefficients/calculator.h"
#include "core/coefficients/tables.h"

#include <ostream>
#include <string>
#include <vector>

namespace kz::coef {

struct Problem {
    Calc calc;
    const char* amount; // nullptr: the calculation takes none
    const char* years;
    const char* rate;
};

struct Case {
    const char* name;
    Problem problem;
    std::vector<std::string> expected;
};

inline std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.name; }

inline const std::vector<Case> kWorkedExamples{
    Case{"future_value", {Calc::FutureValue, "1000000", "10", "4"}, {"1,480,244"}},
    Case{"price_rise", {Calc::PriceRise, nullptr, "10", "1.6"}, {"1.17"}},
    Case{"present_value", {Calc::PresentValue, "5000000", "10", "3"}, {"3,720,470"}},
    Case{"land_decline", {Calc::LandDecline, "10000000", "10", "2"}, {"8,203,482", "82"}},
    Case{"sinking_fund", {Calc::SinkingFund, "1000000", "10", "3"}, {"87,231"}},
    Case{"annuity_future", {Calc::AnnuityFuture, "100000", "10", "3"}, {"1,146,388"}},
    Case{"withdrawal", {Calc::Withdrawal, "10000000", "10", "3"}, {"1,172,305"}},
    Case{"loan_repayment", {Calc::LoanRepayment, "20000000", "25", "5"}, {"1,419,049"}},
    Case{"annuity_present", {Calc::AnnuityPresent, "1000000", "10", "3"}, {"8,530,203"}},
};

// Fills a calculation as a user does: arriving in a field, typing, leaving it.
inline void typeInto(Calculator& m, int field, const std::string& text)
{
    m.gotFocus(field);
    m.setText(field, text);
    m.lostFocus(field);
}

inline void fill(Calculator& m, const Problem& p)
{
    const CalcInfo& ci = calc(p.calc);
    if (p.amount)
        typeInto(m, ci.amountField, p.amount);
    typeInto(m, ci.yearsField, p.years);
    typeInto(m, ci.rateField, p.rate);
}

} // namespace kz::coef
