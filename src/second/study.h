// SPDX-License-Identifier: MIT
#pragma once
// The spouse's later inheritance (二次相続) beside the first, without a window: every figure
// of both inheritances for one share of the spouse, and the share that costs the family
// least. Amounts are thousands of yen (千円); figures stay unrounded doubles, and a face
// rounds a tax only to show it (shown()). The tax figures come from the law editions of the
// sheet; nothing here holds a table of its own.
#include "tax_sheet/law.h"

#include <cstdint>
#include <vector>

namespace kz::second {

struct StudyInput {
    std::int32_t estate = 0;       // E: 課税価格の合計 of the first inheritance, 0..INT32_MAX
    int children = 1;              // n: 1..10, each a statutory heir of both inheritances
    std::int32_t spouseShare = 0;  // S: 0..E; the children share E − S equally
    // P: the spouse's own net assets, 0..INT32_MAX. Not below 0: then E2 ≥ S − A, the credit's
    // cap min(1, E2 / (S − A)) is 1 whenever A > 0, and the total stays piecewise linear in S.
    std::int32_t spouseAssets = 0;
    int years = 10;                // Y: 0..9 between the deaths, 10 for ten or more
    const tax::LawEdition* law = &tax::statedLaw();
    const tax::LawEdition* secondLaw = nullptr; // the second inheritance's; nullptr: law
};

enum class InputError : std::uint8_t { None, Estate, Children, SpouseShare, SpouseAssets, Years };
// The first input out of its range, in the order of StudyInput.
InputError validate(const StudyInput& in);

struct Figures {
    // First inheritance: the spouse and n children.
    double firstDeduction = 0; // basic deduction for n + 1 heirs
    double firstTaxable = 0;   // max(0, E − deduction)
    double firstTax = 0;       // T1, by statutory shares
    double reductionBound = 0; // max(160,000, E × 1/2): the share the reduction covers
    double reduction = 0;      // the spouse's reduction (配偶者の税額軽減)
    double spousePays = 0;     // A
    double childrenPay = 0;    // T1 × (E − S) / E, all children together
    double firstPayable = 0;   // F = A + childrenPay
    // Second inheritance: the n children.
    double secondEstate = 0;    // E2 = P + S − A
    double secondDeduction = 0; // basic deduction for n heirs
    double secondTaxable = 0;   // max(0, E2 − deduction)
    double secondTax = 0;       // T2
    double credit = 0;          // K, 相次相続控除
    double secondPayable = 0;   // G = max(0, T2 − K)
    double total = 0;           // F + G
    bool operator==(const Figures&) const = default;
};

// Every figure for in.spouseShare. Throws std::invalid_argument when validate() fails.
Figures evaluate(const StudyInput& in);

struct ShareRange {
    std::int32_t from, to; // inclusive
    bool operator==(const ShareRange&) const = default;
};

struct Optimum {
    std::int32_t share = 0; // the lowest share with the smallest total
    double total = 0;
    std::vector<ShareRange> equalRanges; // every share with that total, as ranges, ascending
    std::int32_t largestShare = 0;       // the lowest share with the largest total
    double largestTotal = 0;
    // Sorted shares, 0 and E among them, between which every figure is linear: a line
    // through the figures at these shares is the exact curve.
    std::vector<std::int32_t> kinks;
};

// The exact optimum over every whole 千円 of the share (in.spouseShare is ignored).
// Totals count as equal when they differ by less than a trillionth of the larger one
// (at least 1e-12 千円): what is left of rounding in an otherwise level stretch.
Optimum optimum(const StudyInput& in);

bool sameTotal(double a, double b);

// A tax as shown: the nearest 千円, exact halves to the even one.
std::int64_t shown(double amount);

} // namespace kz::second
