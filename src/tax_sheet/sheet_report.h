// SPDX-License-Identifier: MIT
#pragma once
// The tax sheet's current state as a report and as the text of its 計算過程 window.
#include "report/report.h"
#include "core/family/family.h"
#include "core/tax_sheet/sheet.h"

namespace kz::tax {

// "相続税の試算": the inputs as entered, the results as the sheet shows them, the steps of
// the last 納付税額計算 and the sheet's own caveat.
// `assets`: how the amounts from 財産の内訳 were made, before the sheet's own steps; `family`:
// the family the sheet was filled from, with its heirs and their shares, first of all.
kz::report::Document sheetReport(const TaxSheet& sheet, const QDate& date, const kz::Steps& assets = {},
                                 const kz::family::Family* family = nullptr);

// The 計算過程 window's page: the law, then the steps, and why the run stopped if it did; a
// hint while the results are cleared.
kz::report::StepsPage stepsPage(const TaxSheet& sheet, const kz::Steps& assets = {},
                                const kz::family::Family* family = nullptr);

using kz::report::ReportUse;

// Why no report can be made of the sheet as it stands, in the sheet's words: its results are
// cleared, or the last 納付税額計算 stopped (and why). Empty when the results stand.
QString reportRefusal(const TaxSheet& sheet, ReportUse use);

// What the steps say while the results are cleared.
QString emptyStepsHint();

} // namespace kz::tax
