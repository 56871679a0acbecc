// SPDX-License-Identifier: MIT
#include "core/common/numeric.h"

#include "core/common/arith.h"
#include "core/common/c_strtod.h"

#include <charconv>
#include <string>

namespace kz {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

struct Scan {
    std::string number; // sign, digits and point as read, blanks removed
    bool sawDigit = false;
    bool consumedAll = false;
};

Scan scan(std::string_view text)
{
    Scan s;
    bool sawSign = false, sawPoint = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isBlank(c))
            continue;
        if ((c == '-' || c == '+') && !sawSign && !sawPoint && !s.sawDigit) {
            sawSign = true;
            s.number += c;
        } else if (c == '.' && !sawPoint) {
            sawPoint = true;
            s.number += c;
        } else if (isDigit(c)) {
            s.sawDigit = true;
            s.number += c;
        } else {
            break;
        }
    }
    s.consumedAll = i == text.size();
    return s;
}

} // namespace

double numericValue(std::string_view text)
{
    const Scan s = scan(text);
    if (!s.sawDigit)
        return 0.0;
    // from_chars gives the correctly rounded double of the digits read, whatever the
    // process locale says about decimal separators. It takes no leading '+'.
    const char* first = s.number.data();
    const char* last = first + s.number.size();
    if (*first == '+')
        ++first;
    double v = 0.0;
    return nearestDouble(std::string_view(first, static_cast<std::size_t>(last - first)), v) ? v : 0.0;
}

bool nearestDouble(std::string_view text, double& value)
{
    const char* first = text.data();
    const char* last = first + text.size();
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc())
        return true;
    if (ec != std::errc::result_out_of_range)
        return false;
    // from_chars tells neither which way the number left the range nor its nearest double;
    // strtod does both (0 for an underflow, infinity for an overflow).
    const std::string copy(first, end);
    value = strtodC(copy.c_str());
    return true;
}

bool isNumeric(std::string_view text)
{
    const Scan s = scan(text);
    return s.sawDigit && s.consumedAll;
}

std::int32_t amountValue(std::string_view text)
{
    try {
        return toInt32(numericValue(text));
    } catch (const ArithmeticError&) {
        return 0;
    }
}

} // namespace kz
