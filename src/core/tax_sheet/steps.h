// SPDX-License-Identifier: MIT
#pragma once
// Every step of the last 納付税額計算, in the order the sheet works it out, for the
// 計算過程 window and the report. Results are the sheet's own label texts; the figures
// in between are the recalculation's (TaxSheet::working). No Qt here.
#include "core/common/step.h"
#include "core/tax_sheet/sheet.h"

#include <string>

namespace kz::tax {

// Empty while the results are cleared. Persons without a taxable value, an heir without
// minors' years and a sheet without a legatee give no step of their own.
kz::Steps calculationSteps(const TaxSheet& sheet);

// A law's amount in the words of its captions: 50,000 (千円) is "5,000万円", 160,000 "1.6億円".
std::string manYen(double thousands);

// UTF-8 of the law's captions, which are UTF-16 for the windows.
std::string utf8Of(const char16_t* text);

} // namespace kz::tax
