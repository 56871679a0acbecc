// SPDX-License-Identifier: MIT
#pragma once
// Display patterns. Each first reads the double to 15 significant digits, as a person
// would write it, and then rounds halves away from zero; so 1.005 (stored as
// 1.00499999...) shows "1.01". A value that rounds to zero never shows a minus sign.
#include <cstdint>
#include <string>
#include <string_view>

namespace kz {

std::string formatGrouped(double v);          // "###,##0" and "#,##0": 1,234,567
std::string formatGroupedOrEmpty(double v);   // "###,###": as above, but zero shows as ""
std::string formatTwoDecimals(double v);      // "##0.00" and "#0.00": 1234.50
std::string formatPlain(double v);            // up to 15 significant digits: 0.33, 246, 1E-05
// The number a formatPlain text shows, read back whole: unlike numericValue it takes the
// E form (6E-06), and it ignores the process locale. Any other text gives 0; a number too
// large for a double reads as infinity, the overflow that the checked operations reject.
double plainValue(std::string_view text);
std::string formatInteger(std::int64_t v);
// The whole number formatGrouped shows, without making its text but for a near half.
std::int64_t groupedValue(double v);    // plain digits: 1234567, -500

} // namespace kz
