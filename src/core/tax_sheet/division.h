// SPDX-License-Identifier: MIT
#pragma once
// A first inheritance under the sheet's rules for any division of ② between the spouse and
// the children, with the legatee's bequest and every share held: the figures the sheet
// shows after 納付税額計算 with those amounts in ①. What does not depend on the division
// (③ to ⑤, the spouse's statutory share, the minors' deductions, the legatee) is worked out
// once, by the sheet's rules (rules.h, sokusan); each division then costs a few operations,
// for the 二次相続 study that asks for thousands of them. No Qt here.
#include "core/tax_sheet/law.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kz::tax {

inline constexpr int kMaxChildren = 10;

struct Fraction {
    double numerator = 0, denominator = 0; // as the share fields read
};

struct FirstCase {
    const LawEdition* law = &statedLaw();
    std::int32_t total = 0;             // ②, the legatee's ① included
    std::int16_t heirs = 0;             // 法定相続人数
    Fraction spouseShare{1, 2};
    std::vector<Fraction> childShares;  // one per child, at most kMaxChildren
    std::vector<double> childYears;     // the minors' years, one per child
    std::int32_t legatee = 0;           // ①5
};

// What each pays, as the sheet shows it: whole 千円.
struct FirstPayments {
    std::int64_t reduction = 0; // 配偶者の税額軽減額 (0 where it does not apply)
    std::int64_t spouse = 0;
    std::array<std::int64_t, kMaxChildren> children{};
    std::int64_t legatee = 0;
    std::int64_t childrenTotal() const { return childrenSum; }
    std::int64_t total() const { return spouse + childrenSum + legatee; }
    std::int64_t childrenSum = 0; // of children, kept by pay()
    bool operator==(const FirstPayments&) const = default;
};

class Division {
public:
    // Throws kz::ArithmeticError where the sheet's recalculation would stop.
    explicit Division(const FirstCase& c);

    std::int32_t basic() const { return basic_; }         // ③
    std::int32_t estate() const { return estate_; }       // ④
    std::int32_t totalTax() const { return totalTax_; }   // ⑤
    std::int32_t statutory() const { return statutory_; } // ② × the spouse's share
    // The spouse pays nothing up to this ① (the reduction's bound), something above it.
    std::int32_t reducedAbove() const;

    // One division: the spouse's ① and each child's, the legatee's as given.
    FirstPayments pay(std::int32_t spouse, std::span<const std::int32_t> children) const;

    // Where a ratio of ② steps up: the smallest ① whose 相続額比率 is at least k/100, for each k
    // from 1 that ② reaches. Between two of them every ratio, and so every payment, is level.
    std::vector<std::int32_t> ratioSteps() const;

private:
    const LawEdition* law_;
    std::int32_t total_, basic_ = 0, estate_ = 0, totalTax_ = 0, statutory_ = 0;
    double reduction_ = 0; // ⑤ × the ratio of the bound, the reduction wherever it applies
    std::vector<double> deductions_;
    std::int64_t legatee_ = 0;
};

} // namespace kz::tax
