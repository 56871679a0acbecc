// SPDX-License-Identifier: MIT
#pragma once
// A family's judgement carried into the sheet: 法定相続人数 the count for the tax, the share
// fields of the spouse and heirs 2–4 the shares of the total tax (相続税法16), each column
// named after its person and marked for the 2割加算. No Qt here.
#include "core/family/family.h"
#include "core/tax_sheet/sheet.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace kz::family {

struct SheetColumn {
    std::string name;              // empty: nobody stands in the column
    std::optional<Fraction> share; // none: no share enters ⑤ (an heir beside the count's ones)
    bool surcharge = false;
};

struct SheetFill {
    std::array<SheetColumn, 4> columns; // the spouse, heirs 2..4
    int heirs = 0;
    std::vector<std::string> left; // who finds no column; empty: the family fits
    bool fits() const { return left.empty(); }
};

// The spouse in the spouse's column; then those with a share of the total tax in their order;
// then the heirs who inherit without one (a parent where the children renounced), whose
// columns take their amounts with an empty share.
SheetFill sheetFill(const Judgement& j);

// Types the fill into the sheet's fields as a user would (clearing its results); the legatee's
// column and every amount stay. Nothing is typed when it does not fit.
bool fillSheet(tax::TaxSheet& sheet, const SheetFill& fill);

} // namespace kz::family
