// SPDX-License-Identifier: MIT
#pragma once
#include "core/tax_sheet/law.h"

#include <cstddef>
#include <cstdint>

namespace kz::tax {

// Inheritance tax on one amount by the quick-calculation table of a law edition, the
// stated one unless named. Thousands of yen in and out; the result is not rounded, so
// the caller decides how halves fall. Negative amounts give negative tax.
double sokusan(std::int32_t x, const LawEdition& law = statedLaw());

// The index of the quick table's row that sokusan uses for x.
std::size_t quickRowOf(std::int32_t x, const LawEdition& law);

} // namespace kz::tax
