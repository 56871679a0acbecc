// SPDX-License-Identifier: MIT
#pragma once
// The sheet's figures, named once: the rows that make ①, and each result label with the
// caption every face gives it (window, steps, report) and its key in the batch answer.
// No Qt here.
#include "core/tax_sheet/fields.h"

#include <array>
#include <string_view>

namespace kz::tax {

// ① = the six amount rows, each added (+1) or taken away (−1): acquired, deemed, exempt,
// debts, funeral costs, gifts.
inline constexpr std::array<int, kAmountRows> kAmountSign{+1, +1, -1, -1, -1, +1};

// The rows of a person's column of results, top down.
enum class PersonRow : int { Taxable, Share, ShareTax, Ratio, Before, Payable };
constexpr Label personLabel(int person, PersonRow row) { return personLabel(person, static_cast<int>(row)); }

struct PersonFigure {
    std::string_view caption; // "相続額"
    std::string_view key;     // "share"
    bool thousands;           // in 千円 (the ratio is a plain number)
};
inline constexpr std::array<PersonFigure, kAmountRows> kPersonFigures{{
    {"①　各人の課税価格", "taxable", true},
    {"相続額", "share", true},
    {"相続税額", "share_tax", true},
    {"相続額比率", "ratio", false},
    {"修正前税額", "tax_before", true},
    {"各人の納付税額", "payable", true},
}};
constexpr const PersonFigure& personFigure(PersonRow row) { return kPersonFigures[static_cast<std::size_t>(row)]; }

// The sheet's own results (LNum6).
struct SheetFigure {
    Label label;
    std::string_view caption; // as the steps and the report name it
    std::string_view formula; // "（②－③）": what the sheet and the report write after the caption
    std::string_view key;     // the batch answer's
};
inline constexpr SheetFigure kTotalTaxable{sheetLabel(0), "②　課税価格（合計額）", "", "total_taxable"};
// ③'s formula is the law's: its caption stands in the edition (LawEdition::basicCaption).
inline constexpr SheetFigure kBasicDeduction{sheetLabel(2), "③　遺産　基礎控除額", "", "basic_deduction"};
inline constexpr SheetFigure kTaxableEstate{sheetLabel(3), "④　課税遺産総額", "（②－③）", "taxable_estate"};
inline constexpr SheetFigure kTotalTax{sheetLabel(4), "⑤　相続税の総額", "", "total_tax"};
// The window's block and the steps work it out under "…計算".
inline constexpr SheetFigure kSpouseReduction{sheetLabel(5), "配偶者の税額軽減額", "", "spouse_reduction"};
inline constexpr std::array<SheetFigure, 5> kSheetFigures{kTotalTaxable, kBasicDeduction, kTaxableEstate, kTotalTax,
                                                         kSpouseReduction};
// Heirs 2..4 each have one, under the caption after their column's heading.
inline constexpr SheetFigure kMinorDeduction{sheetLabel(6), "未成年者控除", "", "minor_deduction"};
constexpr Label minorDeductionLabel(int person) { return sheetLabel(person + 4); }
// Only the clearing writes it, and nothing shows it.
inline constexpr Label kHiddenLabel = sheetLabel(1);

} // namespace kz::tax
