// SPDX-License-Identifier: MIT
#pragma once
// A case as the texts a user would type into a window, and its run through that window's
// model: the batch front end and a case file read JSON into these, the benchmark builds them
// directly, and a window opening a file takes the model they computed. No Qt here.
#include "core/coefficients/calculator.h"
#include "core/second/study_model.h"
#include "core/tax_sheet/sheet.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kz::cases {

// The keys of the sheet's persons, in the sheet's order (person 1..5).
inline constexpr std::array<std::string_view, tax::kPersons> kPersonKeys{"spouse", "heir2", "heir3", "heir4",
                                                                         "legatee"};
// The heirs with a minors' deduction (persons 2..4): their years' keys.
inline constexpr std::span<const std::string_view, 3> kMinorKeys = std::span(kPersonKeys).subspan<1, 3>();

struct SheetCase {
    const tax::LawEdition* law = &tax::statedLaw();
    // A person whose amounts are not given is never typed into: its fields keep "0".
    std::array<bool, tax::kPersons> typed{};
    std::array<std::array<std::string, tax::kAmountRows>, tax::kPersons> amounts;
    std::string heirs = "0";
    std::array<std::string, tax::kPersons> numerators, denominators; // empty, as a new sheet
    std::array<std::string, kMinorKeys.size()> years{"0", "0", "0"}; // heirs 2..4
    std::array<bool, 3> surcharge{};                                 // heirs 2..4: 2割加算
    std::array<std::string, 4> names;                                // the columns' persons
};

struct SheetAnswer {
    tax::TaxSheet sheet;
    Failure stopped = Failure::None; // why "納付税額計算" stopped (tax::stopMessage tells it)
};

// Types the case into a new sheet, as a user moving from field to field, then presses
// "納付税額計算".
SheetAnswer computeSheet(const SheetCase& c);

struct CoefficientCase {
    coef::Calc calc = coef::Calc::FutureValue;
    std::string amount, years, rate; // amount unused by the price rise
};

struct CoefficientAnswer {
    coef::Calculator model;
    std::optional<int> badField; // "数値を入力してください" on this field
};

CoefficientAnswer computeCoefficient(const CoefficientCase& c);
// A window's calculations typed into one model, each computed in turn.
coef::Calculator computeCoefficients(const std::vector<CoefficientCase>& cases);

// The study of the spouse's later inheritance: the texts of its fields, typed top down.
struct SecondCase {
    const tax::LawEdition* law = &tax::lawEditions()[1];
    const tax::LawEdition* secondLaw = nullptr; // the second inheritance's; nullptr: law
    std::string estate, children, spouseShare, spouseAssets = "0", years = "10";
};

second::StudyForm computeSecond(const SecondCase& c);

// What a calculation is called (its accessible name) and what a field is called in the batch
// format: the caption without spaces ("年数"), for a result the text a screen reader says
// about it ("将来価格", "現在の…％まで下落しています。").
std::string_view calcName(coef::Calc c);
std::optional<coef::Calc> calcNamed(std::string_view name);
const std::string& fieldKey(int field);

} // namespace kz::cases
