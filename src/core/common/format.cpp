// SPDX-License-Identifier: MIT
#include "core/common/format.h"

#include "core/common/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kz {
namespace {

constexpr int kSignificant = 15;

// |v| as its 15 significant digits and the decimal exponent of the first one.
struct Decimal {
    std::string digits; // exactly kSignificant digits
    int exponent = 0;
};

Decimal toDecimal(double v)
{
    // to_chars, unlike printf, ignores the process locale's decimal separator.
    char buf[40];
    const auto end = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific,
                                   kSignificant - 1).ptr;
    Decimal d;
    const char* p = buf;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.')
            d.digits += *p;
    if (p != end)
        std::from_chars(p + (p[1] == '+' ? 2 : 1), end, d.exponent);
    return d;
}

// |v| * 10^decimals rounded half away from zero, as a string of digits.
std::string scaledDigits(double v, int decimals)
{
    if (!std::isfinite(v) || v == 0.0)
        return "0";
    const Decimal d = toDecimal(v);
    const int shift = d.exponent - (kSignificant - 1) + decimals;
    if (shift >= 0)
        return d.digits + std::string(static_cast<std::size_t>(shift), '0');
    const int dropped = -shift;
    if (dropped > kSignificant)
        return "0";
    std::string kept = d.digits.substr(0, static_cast<std::size_t>(kSignificant - dropped));
    const bool roundUp = d.digits[static_cast<std::size_t>(kSignificant - dropped)] >= '5';
    if (kept.empty())
        kept.push_back('0'); // not = "0": GCC 12 at -O3 warns falsely of overlapping copies (-Wrestrict)
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[static_cast<std::size_t>(i)] == '9'; --i)
            kept[static_cast<std::size_t>(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    const auto first = kept.find_first_not_of('0');
    return first == std::string::npos ? "0" : kept.substr(first);
}

std::string group(const std::string& digits)
{
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

std::string signed_(double v, const std::string& digits, std::string body)
{
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    return (v < 0 && !zero) ? "-" + body : body;
}

} // namespace

std::string formatGrouped(double v)
{
    const std::string digits = scaledDigits(v, 0);
    return signed_(v, digits, group(digits));
}

std::string formatGroupedOrEmpty(double v)
{
    const std::string digits = scaledDigits(v, 0);
    return digits == "0" ? std::string() : signed_(v, digits, group(digits));
}

std::string formatTwoDecimals(double v)
{
    std::string digits = scaledDigits(v, 2);
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const std::string body = digits.substr(0, digits.size() - 2) + '.' + digits.substr(digits.size() - 2);
    return signed_(v, digits, body);
}

std::string formatPlain(double v)
{
    if (!std::isfinite(v) || v == 0.0)
        return "0";
    Decimal d = toDecimal(v);
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last + 1);
    std::string body;
    if (d.exponent >= -5 + 1 && d.exponent < kSignificant) {
        if (d.exponent < 0) {
            body = "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
        } else {
            const auto intLen = static_cast<std::size_t>(d.exponent + 1);
            if (d.digits.size() <= intLen)
                body = d.digits + std::string(intLen - d.digits.size(), '0');
            else
                body = d.digits.substr(0, intLen) + '.' + d.digits.substr(intLen);
        }
    } else {
        // Very small or large values in scientific form, as 1E-05 or 1.5E+15.
        body = d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            body += '.' + d.digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", d.exponent < 0 ? '-' : '+', std::abs(d.exponent));
        body += exp;
    }
    return v < 0 ? "-" + body : body;
}

double plainValue(std::string_view text)
{
    double v = 0.0;
    return nearestDouble(text, v) ? v : 0.0;
}

std::string formatInteger(std::int64_t v) { return std::to_string(v); }

std::int64_t groupedValue(double v)
{
    // Reading at 15 digits moves v by less than 1e-14 of itself: only a value that close to a
    // half can show otherwise than it rounds.
    const double frac = std::fabs(v - std::trunc(v));
    if (std::isfinite(v) && std::fabs(frac - 0.5) > 1e-13 * std::max(1.0, std::fabs(v)))
        return static_cast<std::int64_t>(std::round(v));
    // An exact half below 1e14 has at most 15 digits: read as it is, it goes away from zero.
    if (frac == 0.5 && std::fabs(v) < 1e14)
        return static_cast<std::int64_t>(std::round(v));
    const std::string digits = scaledDigits(v, 0);
    std::int64_t out = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return v < 0 ? -out : out;
}

} // namespace kz
