// SPDX-License-Identifier: MIT
#pragma once
// The spouse's later inheritance (二次相続) beside the first, without a window: every figure
// of both inheritances for one share of the spouse, and the share that costs the family
// least. Amounts are thousands of yen (千円).
//
// The first inheritance is the tax sheet's own (tax::Division): for the division studied,
// every figure of it is the whole 千円 the sheet would show, rounded as the sheet rounds
// (its display's reading); the study never rounds them again, so they equal the sheet's to
// the digit. The second follows the law editions' quick tables in exact integer arithmetic,
// in twentieths of a 千円 (every rate is a multiple of 5 %, every deduction a whole 千円),
// rather than doubles read back at 15 significant digits: the exact value needs no reading
// to be trusted, an exact half stays a half for shown() to take to the even 千円, and the
// optimum compares totals exactly at no cost of text conversions. Nothing here holds a
// table or a rule of its own.
#include "core/tax_sheet/division.h"
#include "core/tax_sheet/law.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace kz::second {

// A child as the sheet has it. Its amount weighs its part of a changed division.
struct SheetChild {
    std::int32_t amount = 0; // ① on the sheet, 0 or more
    tax::Fraction share;     // its statutory share as the fields read
    double minorYears = 0;   // the minors' years on the sheet
};

// The range of each input, in one place for the study, its form and the batch front end.
struct Range {
    std::int32_t lo, hi;
    bool holds(double v) const { return v >= lo && v <= hi; }
};
inline constexpr Range kAmountRange{0, 2'147'483'647}; // E, S, P: what ② holds
inline constexpr Range kChildrenRange{1, tax::kMaxChildren};
inline constexpr Range kYearsRange{0, 10};             // 10: ten years or more

struct StudyInput {
    std::int32_t estate = 0;       // E: 課税価格の合計 (②) of the first inheritance, legatee included
    int children = 1;              // n: 1..10, each a statutory heir of both inheritances
    std::int32_t spouseShare = 0;  // S: 0..E − legatee; the children share the rest
    // P: the spouse's own net assets, 0..INT32_MAX. Not below 0: then E2 ≥ S − A, the credit's
    // cap min(1, E2 / (S − A)) is 1 whenever A > 0, and the total stays piecewise linear in S.
    std::int32_t spouseAssets = 0;
    int years = 10;                // Y: 0..9 between the deaths, 10 for ten or more
    const tax::LawEdition* law = &tax::statedLaw();
    const tax::LawEdition* secondLaw = nullptr; // the second inheritance's; nullptr: law
    // The family of a sheet: one per child (then n is their number), split in proportion to
    // their amounts (equally when all are 0). Empty: the study on its own, n children of
    // equal amounts, each with the statutory share 1/(2n), no minors.
    std::vector<SheetChild> sheetChildren{};
    std::int32_t legatee = 0; // a legatee's ① (受遺者): inside E, outside the spouse's range
};

enum class InputError : std::uint8_t { None, Estate, Children, SpouseShare, SpouseAssets, Years, Legatee };
// The first input out of its range, in the order of StudyInput.
InputError validate(const StudyInput& in);

struct Figures {
    // First inheritance: the spouse, n children and the legatee, each as the sheet shows it.
    double firstDeduction = 0; // ③: basic deduction for n + 1 heirs
    double firstTaxable = 0;   // ④: max(0, E − deduction)
    double firstTax = 0;       // ⑤ T1, by statutory shares
    double reductionBound = 0; // max(1.6億円, E × 1/2): the spouse pays nothing up to it
    double reduction = 0;      // the spouse's reduction (配偶者の税額軽減); 0 up to the bound
    double spousePays = 0;     // A
    double childrenPay = 0;    // every child's payable tax, minors' deduction taken
    double legateePays = 0;    // the legatee's, its 2割加算 included
    double firstPayable = 0;   // F = A + childrenPay + legateePays
    std::array<double, tax::kMaxChildren> childPays{}; // each child's, in order
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

// The first inheritance's case of a study: the sheet's shares, years and legatee, or the
// standalone family's.
tax::FirstCase firstCase(const StudyInput& in);

// Each child's ① when the children share `rest`: in proportion to their sheet amounts, each
// rounded down, the remainder to the child of the largest amount (the last of equals); equal
// amounts (and the study on its own) share equally, child i taking ⌊(rest + i) ÷ n⌋, so that
// the odd 千円 go to the last children and no child's part ever falls as rest grows.
void splitAmong(const StudyInput& in, std::int32_t rest, std::span<std::int32_t> out);

// Every figure for in.spouseShare. Throws std::invalid_argument when validate() fails.
Figures evaluate(const StudyInput& in);
// The figures at each of `shares` (in.spouseShare is ignored), worked out with one set-up.
std::vector<Figures> evaluateAt(const StudyInput& in, std::span<const std::int32_t> shares);

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
    // Sorted shares, 0 and E − legatee among them, between which every figure is linear: a
    // line through the figures at these shares is the exact curve. The first inheritance
    // steps wherever a ratio of ② does; both shares beside each step are kinks.
    std::vector<std::int32_t> kinks;
    std::vector<Figures> curve; // the figures at each kink
};

// The exact optimum over every whole 千円 of the share (in.spouseShare is ignored), with
// totals compared exactly. The first inheritance is level between the ratios' steps, and
// there the total only rises with the share: each level stretch starts at its least.
Optimum optimum(const StudyInput& in);

// A tax as shown: the nearest 千円, exact halves to the even one.
std::int64_t shown(double amount);

} // namespace kz::second
