// SPDX-License-Identifier: MIT
#include "core/coefficients/tables.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace kz::coef {

namespace {

using enum Calc;
using enum FieldKind;
constexpr int N = kNone;

// clang-format off
constexpr FieldInfo kFields[kFieldCount] = {
    // calc           kind    caption               unit                      initial slot  up  down enter
    {FutureValue,     Amount, "運用金額",           "円",                     "0",    0,    N,  1,   1},  // 0
    {FutureValue,     Rate,   "年利率",             "％",                     "0.00", N,    0,  2,   2},  // 1
    // Down goes on into the price rise below: tab 0 reads as one column.
    {FutureValue,     Years,  "年　数",             "年",                     "0",    N,    1,  4,   N},  // 2
    {FutureValue,     Result, "元利合計",           "円",                     "0",    N,    N,  N,   N},  // 3
    {PriceRise,       Rate,   "物価上昇率",         "％",                     "0.00", N,    2,  5,   5},  // 4
    {PriceRise,       Years,  "年　数",             "年",                     "0",    N,    4,  N,   N},  // 5
    {PriceRise,       Result, "現時の物価",         "倍",                     "0.00", N,    N,  N,   N},  // 6
    {PresentValue,    Years,  "年　数",             "年",                     "0",    N,    N,  8,   8},  // 7
    {PresentValue,    Amount, "必要額",             "円",                     "0",    1,    7,  9,   9},  // 8
    {PresentValue,    Rate,   "年利率",             "％",                     "0.00", N,    8,  N,   N},  // 9
    {PresentValue,    Result, "預ける金額",         "円",                     "0",    N,    N,  N,   N},  // 10
    {LandDecline,     Years,  "年　数",             "年",                     "0",    N,    N,  12,  12}, // 11
    {LandDecline,     Rate,   "年利率",             "％",                     "0.00", N,    11, 13,  13}, // 12
    {LandDecline,     Amount, "現在価格",           "円",                     "0",    2,    12, N,   N},  // 13
    {LandDecline,     Result, "将来価格",           "円",                     "0",    N,    N,  N,   N},  // 14
    {LandDecline,     Result, "現在の",             "％まで下落しています。", "0",    N,    N,  N,   N},  // 15
    {SinkingFund,     Amount, "将来目標金額",       "円",                     "0",    3,    N,  17,  17}, // 16
    {SinkingFund,     Years,  "目標年数",           "年",                     "0",    N,    16, 18,  18}, // 17
    {SinkingFund,     Rate,   "年利率",             "％",                     "0.00", N,    17, N,   N},  // 18
    {SinkingFund,     Result, "毎年の積立額",       "円",                     "0",    N,    N,  N,   N},  // 19
    {AnnuityFuture,   Amount, "毎年の積立額",       "円",                     "0",    4,    N,  21,  21}, // 20
    {AnnuityFuture,   Years,  "積立期間",           "年",                     "0",    N,    20, 22,  22}, // 21
    {AnnuityFuture,   Rate,   "年利率",             "％",                     "0.00", N,    21, N,   N},  // 22
    {AnnuityFuture,   Result, "元利合計額",         "円",                     "0",    N,    N,  N,   N},  // 23
    {Withdrawal,      Amount, "預入金",             "円",                     "0",    5,    N,  25,  25}, // 24
    {Withdrawal,      Years,  "受取り年数",         "年",                     "0",    N,    24, 26,  26}, // 25
    {Withdrawal,      Rate,   "年利率",             "％",                     "0.00", N,    25, N,   N},  // 26
    {Withdrawal,      Result, "毎年受取れる額",     "円",                     "0",    N,    N,  N,   N},  // 27
    {LoanRepayment,   Amount, "借入額",             "円",                     "0",    6,    N,  29,  29}, // 28
    {LoanRepayment,   Years,  "返済年数",           "年",                     "0",    N,    28, 30,  30}, // 29
    {LoanRepayment,   Rate,   "年利率",             "％",                     "0.00", N,    29, N,   N},  // 30
    {LoanRepayment,   Result, "毎年の返済額",       "円",                     "0",    N,    N,  N,   N},  // 31
    {AnnuityPresent,  Amount, "毎年の目標金額",     "円",                     "0",    7,    N,  33,  33}, // 32
    {AnnuityPresent,  Years,  "受給年数",           "年",                     "0",    N,    32, 34,  34}, // 33
    {AnnuityPresent,  Rate,   "年利率",             "％",                     "0.00", N,    33, N,   N},  // 34
    {AnnuityPresent,  Result, "必要資金（原資）",   "円",                     "0",    N,    N,  N,   N},  // 35
};

constexpr Input R = Input::Rate, A = Input::Amount, Y = Input::Years, X = Input::None;

constexpr CalcInfo kCalcs[kCalcCount] = {
    // tab cmd button    fields  amount years rate  results   reads      rate 1st policy           char keys  "CE" texts, name
    {0, 1,  "計　算", 0,  3,  0,  2,  1,  {3, N},   {R, A, Y}, true,  Policy::CarryOn, false, {"0", "0.00", "0", "0"}, "元利合計"},
    {0, 2,  "計　算", 4,  6,  N,  5,  4,  {6, N},   {R, Y, X}, true,  Policy::Stop,    false, {"0.00", "0", "0.00"}, "物価上昇率"},
    {1, 4,  "計 算",  7,  10, 8,  7,  9,  {10, N},  {Y, A, R}, false, Policy::Stop,    false, {"0", "0", "0.00", "0"}, "預ける金額"},
    {1, 5,  "計 算",  11, 15, 13, 11, 12, {14, 15}, {A, Y, R}, false, Policy::Stop,    true,  {"0", "0.00", "0", "0", "0"}, "将来価格"},
    // The sinking fund's "CE" puts "0", not "0.00", into its rate field; both read as zero.
    {2, 7,  "計　算", 16, 19, 16, 17, 18, {19, N},  {A, Y, R}, false, Policy::CarryOn, true,  {"0", "0", "0", "0"}, "毎年の積立額"},
    {3, 8,  "計 算",  20, 23, 20, 21, 22, {23, N},  {A, Y, R}, false, Policy::Stop,    true,  {"0", "0", "0.00", "0"}, "元利合計額"},
    {4, 10, "計　算", 24, 27, 24, 25, 26, {27, N},  {A, Y, R}, false, Policy::CarryOn, true,  {"0", "0", "0.00", "0"}, "毎年受取れる額"},
    {4, 11, "計　算", 28, 31, 28, 29, 30, {31, N},  {A, Y, R}, false, Policy::CarryOn, true,  {"0", "0", "0.00", "0"}, "毎年の返済額"},
    {5, 13, "計　算", 32, 35, 32, 33, 34, {35, N},  {A, Y, R}, false, Policy::CarryOn, true,  {"0", "0", "0.00", "0"}, "必要資金"},
};
// clang-format on

} // namespace

const FieldInfo& field(int index)
{
    assert(index >= 0 && index < kFieldCount);
    return kFields[index];
}

const CalcInfo& calc(Calc c) { return kCalcs[indexOf(c)]; }

bool keepsInputMethod(int) { return false; }

std::optional<FocusTarget> enterTarget(int index)
{
    const FieldInfo& f = field(index);
    if (f.kind == FieldKind::Result)
        return std::nullopt;
    if (f.enter == kNone)
        return FocusTarget{FocusTarget::Kind::Button, kNone, f.calc};
    return FocusTarget{FocusTarget::Kind::Field, f.enter, {}};
}

std::optional<int> arrowTarget(int index, Arrow key)
{
    const FieldInfo& f = field(index);
    const int to = key == Arrow::Up ? f.up : f.down;
    if (to == kNone)
        return std::nullopt;
    return to;
}

std::array<int, 2> checkOrder(Calc c)
{
    const CalcInfo& ci = calc(c);
    if (ci.rateCheckedFirst)
        return {ci.rateField, ci.yearsField};
    return {ci.yearsField, ci.rateField};
}

} // namespace kz::coef
