// SPDX-License-Identifier: MIT
#pragma once
// The assets beside one tax sheet: the 財産の内訳 entries, kept while the sheet is open, and
// what シートへ反映 last wrote, for the steps. No Qt here.
#include "core/assets/entries.h"
#include "core/common/step.h"
#include "core/tax_sheet/sheet.h"

#include <optional>

namespace kz::assets {

struct SheetAssets {
    EstateTexts texts = freshTexts();
    // The estate last written into the sheet and its working; the steps explain a row only
    // while the sheet still holds the amount it wrote.
    std::optional<Estate> written;
    Worked worked;
};

// The edition of the assets' rules that goes with the sheet's law (the same order of editions).
const AssetsLaw& lawOf(const tax::TaxSheet& sheet);
// The sheet's 法定相続人数, 0 when it has none.
int sheetTaxHeirs(const tax::TaxSheet& sheet);

// シートへ反映: reads and works out the entries; every person with an item gets the six amounts
// in its column, an empty 法定相続人数 the tax count; then 納付税額計算. Throws AssetsError
// before writing anything.
void fillSheet(SheetAssets& a, tax::TaxSheet& sheet);
// After a case is opened: its assets as the entries, and as written where the sheet holds them.
void takeEstate(SheetAssets& a, const std::optional<Estate>& e);
// The entries as an estate for a case file, when they read; nullopt when there are none.
std::optional<Estate> estateOf(const SheetAssets& a, const tax::TaxSheet& sheet);

// How each amount the assets wrote was made, person by person, for 計算過程 and the report.
kz::Steps assetsSteps(const SheetAssets& a, const tax::TaxSheet& sheet);

} // namespace kz::assets
