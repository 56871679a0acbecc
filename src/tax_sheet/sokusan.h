#pragma once
#include <cstdint>

namespace kz::tax {

// Inheritance tax on one amount by the quick-calculation table of the law the sheet
// states (as of 2008-05-01). Thousands of yen in and out; the result is not rounded,
// so the caller decides how halves fall. Negative amounts give negative tax.
double sokusan(std::int32_t x);

} // namespace kz::tax
