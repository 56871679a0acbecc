// SPDX-License-Identifier: MIT
#pragma once
// The steps of the calculation last done on a tab, for the 計算過程 window and the report:
// the coefficient by its formula, then the result the window shows. The figures are the
// ones the calculation read and worked out (Calculator::lastRun). No Qt here.
#include "core/coefficients/calculator.h"
#include "core/common/step.h"

#include <string>

namespace kz::coef {

// Empty while the tab has no calculation whose results stand.
kz::Steps calculationSteps(const Calculator& c, int tab);

// A coefficient as the steps write it: eight decimals, "1.48024428".
std::string coefficientText(double factor);

} // namespace kz::coef
