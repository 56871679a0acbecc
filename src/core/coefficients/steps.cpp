// SPDX-License-Identifier: MIT
#include "core/coefficients/steps.h"

#include "core/common/format.h"

#include <charconv>

namespace kz::coef {
namespace {

// How a calculation is explained: its coefficient by name and formula, then the result
// from it. In the formulas {r} is the rate in percent, {n} the years, {a} the amount and
// {f} the coefficient; the result step is left out where the coefficient is the result.
struct Explanation {
    const char* coefficient;
    const char* words;
    const char* numbers;
    const char* resultWords;
    const char* resultNumbers;
};

constexpr Explanation kFutureValue{"終価係数", "(1 + 年利率)の年数乗", "(1 + {r}％)の{n}乗", "運用金額 × 終価係数", "{a} × {f}"};
constexpr Explanation kPresentValue{"現価係数", "1 ÷ (1 + 年利率)の年数乗", "1 ÷ (1 + {r}％)の{n}乗", "必要額 × 現価係数",
                                    "{a} × {f}"};
constexpr Explanation kLandDecline{"現価係数", "1 ÷ (1 + 年利率)の年数乗", "1 ÷ (1 + {r}％)の{n}乗",
                                   "現在価格 × 現価係数（円未満切り捨て）", "{a} × {f}"};
constexpr Explanation kSinkingFund{"減債基金係数", "年利率 ÷ ((1 + 年利率)の年数乗 − 1)", "{r}％ ÷ ((1 + {r}％)の{n}乗 − 1)",
                                   "将来目標金額 × 減債基金係数", "{a} × {f}"};
constexpr Explanation kAnnuityFuture{"年金終価係数", "((1 + 年利率)の年数乗 − 1) ÷ 年利率",
                                     "((1 + {r}％)の{n}乗 − 1) ÷ {r}％", "毎年の積立額 × 年金終価係数", "{a} × {f}"};
constexpr Explanation kWithdrawal{"資本回収係数", "年利率 ÷ (1 − 1 ÷ (1 + 年利率)の年数乗)",
                                  "{r}％ ÷ (1 − 1 ÷ (1 + {r}％)の{n}乗)", "預入金 × 資本回収係数", "{a} × {f}"};
constexpr Explanation kLoanRepayment{"資本回収係数", "年利率 ÷ (1 − 1 ÷ (1 + 年利率)の年数乗)",
                                     "{r}％ ÷ (1 − 1 ÷ (1 + {r}％)の{n}乗)", "借入額 × 資本回収係数", "{a} × {f}"};
constexpr Explanation kAnnuityPresent{"年金現価係数", "(1 − 1 ÷ (1 + 年利率)の年数乗) ÷ 年利率",
                                      "(1 − 1 ÷ (1 + {r}％)の{n}乗) ÷ {r}％", "毎年の目標金額 × 年金現価係数",
                                      "{a} × {f}"};

const Explanation* explanationOf(Calc c)
{
    switch (c) {
    case Calc::FutureValue: return &kFutureValue;
    case Calc::PriceRise: return nullptr; // the coefficient is the result
    case Calc::PresentValue: return &kPresentValue;
    case Calc::LandDecline: return &kLandDecline;
    case Calc::SinkingFund: return &kSinkingFund;
    case Calc::AnnuityFuture: return &kAnnuityFuture;
    case Calc::Withdrawal: return &kWithdrawal;
    case Calc::LoanRepayment: return &kLoanRepayment;
    case Calc::AnnuityPresent: return &kAnnuityPresent;
    }
    return nullptr;
}

std::string fill(std::string pattern, const Run& run)
{
    const std::pair<const char*, std::string> values[] = {
        {"{r}", formatPlain(run.rate)},
        {"{n}", std::to_string(run.years)},
        {"{a}", formatGrouped(run.amount)},
        {"{f}", coefficientText(run.factor)},
    };
    for (const auto& [key, value] : values)
        for (auto at = pattern.find(key); at != std::string::npos; at = pattern.find(key, at + value.size()))
            pattern.replace(at, 3, value);
    return pattern;
}

} // namespace

std::string coefficientText(double factor)
{
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, factor, std::chars_format::fixed, 8);
    return error == std::errc() ? std::string(buffer, end) : formatPlain(factor);
}

kz::Steps calculationSteps(const Calculator& c, int tab)
{
    const auto& run = c.lastRun(tab);
    if (!run)
        return {};
    const CalcInfo& ci = calc(run->calc);
    const FieldInfo& result = field(ci.results[0]);
    const std::string shown = c.text(ci.results[0]);
    const Explanation* e = explanationOf(run->calc);
    if (!e)
        return {{std::string(result.caption), "(1 + 物価上昇率)の年数乗", fill("(1 + {r}％)の{n}乗", *run), shown,
                 std::string(result.unit)}};
    kz::Steps steps{{e->coefficient, e->words, fill(e->numbers, *run), coefficientText(run->factor), ""}};
    if (run->calc == Calc::LandDecline)
        steps.push_back({"現在価格に対する割合", "現価係数 × 100", fill("{f} × 100", *run), c.text(ci.results[1]), "％"});
    steps.push_back({std::string(result.caption), e->resultWords, fill(e->resultNumbers, *run), shown,
                     std::string(result.unit)});
    return steps;
}

} // namespace kz::coef
