// SPDX-License-Identifier: MIT
#include "core/tax_sheet/sokusan.h"

namespace kz::tax {

std::size_t quickRowOf(std::int32_t x, const LawEdition& law)
{
    std::size_t i = 0;
    while (i + 1 < law.quickTable.size() && x > law.quickTable[i].upTo)
        ++i;
    return i;
}

double sokusan(std::int32_t x, const LawEdition& law)
{
    // The last row of every table takes every int32.
    const QuickRow& row = law.quickTable[quickRowOf(x, law)];
    // Two separately rounded double operations: the sheet's halves depend on it.
    const double product = static_cast<double>(x) * row.rate;
    return product - row.deduction;
}

} // namespace kz::tax
