// SPDX-License-Identifier: MIT
#pragma once
// The coefficient window's calculations that stand, as a report and as the text of its
// 計算過程 window: on each tab, the calculation last done there.
#include "core/coefficients/calculator.h"
#include "report/report.h"

namespace kz::coef {

// "係数計算の試算": each standing calculation's inputs as entered, its result as shown and
// its steps.
kz::report::Document coefficientReport(const Calculator& c, const QDate& date);

// The 計算過程 window's page: the steps tab by tab; a hint while no calculation stands.
kz::report::StepsPage stepsPage(const Calculator& c);

} // namespace kz::coef
