// SPDX-License-Identifier: MIT
#pragma once
// The sheet's rules for the figures after ⑤, one function each, shared by the sheet's own
// recalculation (TaxSheet::keisan) and by every other face that works out a first
// inheritance (Division, for the 二次相続 study). Each is the sheet's arithmetic to the
// last rounding, labels' round trips included. Thousands of yen; no Qt.
#include "core/tax_sheet/law.h"

#include <cstdint>

namespace kz::tax {

// ③: the law's basic deduction for so many statutory heirs, in 32 bits.
std::int32_t basicDeduction(const LawEdition& law, std::int16_t heirs);
// ④: ② − ③, not below 0 (no negative estate, shares or taxes); `excess` keeps ② − ③ itself.
// Throws kz::ArithmeticError beyond 32 bits.
std::int32_t taxableEstate(std::int32_t total, std::int32_t basic, std::int64_t* excess = nullptr);
// The tax on one statutory share by the quick table, to the whole 千円 (halves to even).
std::int32_t shareTax(std::int32_t share, const LawEdition& law);

// 相続額比率: ① ÷ ②, ⌊(x + 0.005) × 100⌋ ÷ 100 with each step in double; 0 for no ①.
double ratioOf(std::int32_t part, std::int32_t total);

// A statutory share of an amount: amount × numerator ÷ denominator to the whole 千円.
// Throws kz::ArithmeticError for an empty denominator or a share beyond 32 bits.
std::int32_t statutoryShare(double amount, double numerator, double denominator);

// The spouse's reduction, on the larger of the lesser of the statutory share of ② and ①,
// and the law's tax-free amount.
struct SpouseReduction {
    std::int32_t lesser = 0, limit = 0;
    double ratio = 0;       // limit ÷ ② as its "#0.00" label reads back
    double reduction = 0;   // ⑤ × ratio
    bool reduced = false;   // only a spouse above both the tax-free amount and the share
    double payable = 0;     // before − reduction, not below 0; 0 when not reduced
};
SpouseReduction spouseReduction(std::int32_t spouse, std::int32_t statutory, std::int32_t total,
                                std::int32_t totalTax, double before, const LawEdition& law);
// Its parts, for a face that keeps the ratio of a fixed limit: the ratio as the label reads
// back, and what the spouse pays given the reduction.
double reductionRatio(std::int32_t limit, std::int32_t total);
bool spouseReduced(std::int32_t spouse, std::int32_t statutory, const LawEdition& law);
double spousePayable(bool reduced, double before, double reduction);

// The minors' deduction: years × the law's amount a year; and the figure its label's text
// reads back as, which the payable tax is taken with.
double minorDeduction(double years, const LawEdition& law);
double asLabelReads(double deduction);
// What an heir pays after its minors' deduction (as its label reads): no refund below 0.
double heirPayable(double before, double deduction);

// The 2割加算 (相続税法18): before × 0.2 + before, to the whole 千円 (halves to even).
std::int32_t raisedTax(double before);

// The legatee: before × 1.2, capped at 70 % of its ①, not below 0.
struct LegateeTax {
    std::int32_t cap = 0, raised = 0, payable = 0;
};
LegateeTax legateeTax(std::int32_t legatee, double before);

} // namespace kz::tax
