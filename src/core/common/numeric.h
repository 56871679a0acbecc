// SPDX-License-Identifier: MIT
#pragma once
#include <cstdint>
#include <string_view>

namespace kz {

// The number at the start of a text: blanks are skipped wherever they stand, then an
// optional sign and digits with at most one decimal point; reading stops at the first
// character that cannot continue the number. No number gives 0. Only decimal notation
// is understood (no exponents, no hexadecimal): the entry fields admit nothing else.
double numericValue(std::string_view text);

// The double nearest to the number at the start of a text in C notation ("-12.5",
// "1.5E+20"): an underflow gives a signed 0 (or a subnormal), never infinity; an overflow
// gives infinity with the number's sign, as a failing operation would. False when the text
// does not start with such a number.
bool nearestDouble(std::string_view text, double& value);

// Whether the whole text is a number in the sense above (surrounding blanks allowed):
// "12", "-1.5", ".5" and "5." are; "", "-", ".", "1-2" and "1.2.3" are not.
bool isNumeric(std::string_view text);

// The amount an entry field commits when it is left: numericValue rounded half to even,
// or 0 when that does not fit in 32 bits.
std::int32_t amountValue(std::string_view text);

} // namespace kz
