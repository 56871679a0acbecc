// SPDX-License-Identifier: MIT
#include "core/coefficients/calculator.h"

#include "core/coefficients/formulas.h"
#include "core/common/arith.h"
#include "core/common/format.h"
#include "core/common/numeric.h"

#include <cmath>

namespace kz::coef {

namespace {

std::size_t at(int index) { return static_cast<std::size_t>(index); }

// Runs one step of a carry-on command: a failing step is skipped and reports why.
template <typename Step>
Failure carryOn(Step&& step)
{
    try {
        step();
        return Failure::None;
    } catch (const kz::ArithmeticError& e) {
        return e.failure;
    }
}

} // namespace

std::string_view stopMessage(Failure why)
{
    switch (why) {
    case Failure::None: break;
    case Failure::Range: return "数値が大きすぎるため計算できません。";
    case Failure::Undefined: return "この年利率と年数では計算できません。";
    }
    return "";
}

Calculator::Calculator()
{
    for (int i = 0; i < kFieldCount; ++i)
        texts_[at(i)] = std::string(field(i).initial);
}

void Calculator::setText(int index, std::string text) { texts_[at(index)] = std::move(text); }

void Calculator::write(int index, std::string text)
{
    texts_[at(index)] = std::move(text);
    if (textChanged)
        textChanged(index);
}

bool Calculator::gotFocus(int index)
{
    const FieldInfo& f = field(index);
    if (f.kind == FieldKind::Result)
        return false;
    if (f.kind == FieldKind::Amount)
        write(index, kz::formatInteger(amounts_[at(f.slot)]));
    // A result never stands beside inputs that may be edited after it was computed.
    for (int r : calc(f.calc).results)
        if (r != kNone)
            write(r, "0");
    forget(f.calc);
    return true;
}

void Calculator::lostFocus(int index)
{
    const FieldInfo& f = field(index);
    if (f.kind != FieldKind::Amount)
        return;
    std::int32_t& slot = amounts_[at(f.slot)];
    slot = kz::amountValue(text(index));
    write(index, kz::formatGrouped(slot));
}

void Calculator::read(Input what, const CalcInfo& ci, Inputs& in) const
{
    switch (what) {
    case Input::None:
        break;
    case Input::Rate:
        // Only a number of some 310 digits can fail here.
        in.rate = kz::finite(kz::numericValue(text(ci.rateField)));
        break;
    case Input::Amount:
        in.amount = amounts_[at(field(ci.amountField).slot)];
        break;
    case Input::Years:
        in.years = kz::toInt16(kz::numericValue(text(ci.yearsField)));
        break;
    }
}

Calculator::Results Calculator::compute(Calc c, const Inputs& in)
{
    const double r = in.rate, a = in.amount;
    const std::int16_t n = in.years;
    switch (c) {
    case Calc::FutureValue:
        return {kz::formatGrouped(kz::mul(futureValueFactor(r, n), a))};
    case Calc::PriceRise:
        return {kz::formatTwoDecimals(futureValueFactor(r, n))};
    case Calc::PresentValue:
        return {kz::formatGrouped(kz::mul(presentValueFactor(r, n), a))};
    case Calc::LandDecline: {
        const double percent = kz::mul(presentValueFactor(r, n), 100.0);
        const double price = std::floor(kz::mul(presentValueFactor(r, n), a));
        return {kz::formatGroupedOrEmpty(price), kz::formatGrouped(percent)};
    }
    case Calc::SinkingFund:
        return {kz::formatGrouped(kz::mul(sinkingFundFactor(r, n), a))};
    case Calc::AnnuityFuture:
        return {kz::formatGrouped(kz::mul(a, annuityFutureFactor(r, n)))};
    case Calc::Withdrawal:
    case Calc::LoanRepayment:
        return {kz::formatGrouped(kz::mul(capitalRecoveryFactor(r, n), a))};
    case Calc::AnnuityPresent:
        return {kz::formatGrouped(kz::mul(annuityPresentFactor(r, n), a))};
    }
    return {};
}

namespace {

// The coefficient a calculation's result is built on, by the same formula.
double factorOf(Calc c, double r, std::int16_t n)
{
    switch (c) {
    case Calc::FutureValue:
    case Calc::PriceRise: return futureValueFactor(r, n);
    case Calc::PresentValue:
    case Calc::LandDecline: return presentValueFactor(r, n);
    case Calc::SinkingFund: return sinkingFundFactor(r, n);
    case Calc::AnnuityFuture: return annuityFutureFactor(r, n);
    case Calc::Withdrawal:
    case Calc::LoanRepayment: return capitalRecoveryFactor(r, n);
    case Calc::AnnuityPresent: return annuityPresentFactor(r, n);
    }
    return 0;
}

} // namespace

void Calculator::record(Calc c, const Inputs& in)
{
    runs_[at(calc(c).tab)] = Run{c, in.rate, in.amount, in.years, factorOf(c, in.rate, in.years)};
}

void Calculator::forget(Calc c)
{
    auto& run = runs_[at(calc(c).tab)];
    if (run && run->calc == c)
        run.reset();
}

void Calculator::writeResults(const CalcInfo& ci, const Results& results)
{
    for (std::size_t i = 0; i < results.size(); ++i)
        if (ci.results[i] != kNone)
            write(ci.results[i], results[i]);
}

std::optional<int> Calculator::calculate(Calc c)
{
    stopped_ = Failure::None;
    for (int f : checkOrder(c))
        if (!kz::isNumeric(text(f)))
            return f;

    const CalcInfo& ci = calc(c);
    Inputs in;
    if (ci.policy == Policy::Stop) {
        try {
            for (Input what : ci.reads)
                read(what, ci, in);
            writeResults(ci, compute(c, in));
            record(c, in);
        } catch (const kz::ArithmeticError& e) {
            // Stop: the results keep the texts they had.
            stopped_ = e.failure;
        }
        return std::nullopt;
    }

    // Carry on: an input that cannot be read stays 0; a failed formula writes nothing,
    // so the result field keeps its text as under the stop policy.
    for (Input what : ci.reads)
        carryOn([&] { read(what, ci, in); });
    Results results;
    stopped_ = carryOn([&] { results = compute(c, in); });
    if (stopped_ == Failure::None) {
        writeResults(ci, results);
        record(c, in);
    }
    return std::nullopt;
}

int Calculator::clear(Calc c)
{
    const CalcInfo& ci = calc(c);
    if (ci.amountField != kNone)
        amounts_[at(field(ci.amountField).slot)] = 0;
    forget(c);
    for (int f = ci.first; f <= ci.last; ++f)
        write(f, std::string(ci.clearTexts[at(f - ci.first)]));
    return ci.first;
}

} // namespace kz::coef
