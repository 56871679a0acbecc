// SPDX-License-Identifier: MIT
#include "tax_sheet/sokusan.h"

namespace kz::tax {

double sokusan(std::int32_t x, const LawEdition& law)
{
    for (const QuickRow& row : law.quickTable) {
        if (x <= row.upTo) {
            // Two separately rounded double operations: the sheet's halves depend on it.
            const double product = static_cast<double>(x) * row.rate;
            return product - row.deduction;
        }
    }
    return 0.0; // unreachable: the last row of every table takes every int32
}

} // namespace kz::tax
