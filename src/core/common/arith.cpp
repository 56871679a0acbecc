// SPDX-License-Identifier: MIT
#include "core/common/arith.h"

#include <cmath>
#include <limits>

namespace kz {
namespace {

template <typename Int>
Int roundTo(double v)
{
    // The default FP environment rounds to nearest-even; nearbyint keeps exact halves even.
    const double r = std::nearbyint(v);
    if (!(r >= static_cast<double>(std::numeric_limits<Int>::min())
          && r <= static_cast<double>(std::numeric_limits<Int>::max())))
        throw ArithmeticError(Failure::Range, "integer conversion out of range");
    return static_cast<Int>(r);
}

} // namespace

std::int32_t toInt32(double v) { return roundTo<std::int32_t>(v); }
std::int16_t toInt16(double v) { return roundTo<std::int16_t>(v); }

std::int32_t add32(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_add_overflow(a, b, &r))
        throw ArithmeticError(Failure::Range, "32-bit overflow");
    return r;
}

std::int32_t sub32(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_sub_overflow(a, b, &r))
        throw ArithmeticError(Failure::Range, "32-bit overflow");
    return r;
}

std::int32_t mul32(std::int32_t a, std::int32_t b)
{
    std::int32_t r;
    if (__builtin_mul_overflow(a, b, &r))
        throw ArithmeticError(Failure::Range, "32-bit overflow");
    return r;
}

std::int16_t neg16(std::int16_t a)
{
    if (a == std::numeric_limits<std::int16_t>::min())
        throw ArithmeticError(Failure::Range, "16-bit overflow");
    return static_cast<std::int16_t>(-a);
}

double finite(double v)
{
    if (std::isnan(v))
        throw ArithmeticError(Failure::Undefined, "invalid result");
    if (std::isinf(v))
        throw ArithmeticError(Failure::Range, "infinite result");
    return v;
}

double add(double a, double b) { return finite(a + b); }
double sub(double a, double b) { return finite(a - b); }
double mul(double a, double b) { return finite(a * b); }

double div(double a, double b)
{
    if (b == 0.0)
        throw ArithmeticError(Failure::Undefined, "division by zero");
    return finite(a / b);
}

double pow(double base, double exponent) { return finite(std::pow(base, exponent)); }

} // namespace kz
