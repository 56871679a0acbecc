// SPDX-License-Identifier: MIT
#pragma once
// Checked arithmetic shared by both calculators. Every failure throws
// ArithmeticError; a handler chooses where to catch it (stop vs. carry on).
#include <cstdint>
#include <stdexcept>

namespace kz {

// Why a checked operation failed: a figure beyond its type's range (an overflow, an infinite
// result), or an operation without a value (a division by zero). None: nothing failed.
enum class Failure : std::uint8_t { None, Range, Undefined };

struct ArithmeticError : std::runtime_error {
    ArithmeticError(Failure why, const char* what)
        : std::runtime_error(what)
        , failure(why)
    {
    }
    Failure failure;
};

// Round to nearest, exact halves to the even neighbour, on the exact double.
// Throws when the result does not fit (NaN and infinities never fit).
std::int32_t toInt32(double v);
std::int16_t toInt16(double v);

std::int32_t add32(std::int32_t a, std::int32_t b);
std::int32_t sub32(std::int32_t a, std::int32_t b);
std::int32_t mul32(std::int32_t a, std::int32_t b);
std::int16_t neg16(std::int16_t a);

// Double operations that treat x/0, 0/0 and any infinite or NaN result as failures.
double finite(double v);
double add(double a, double b);
double sub(double a, double b);
double mul(double a, double b);
double div(double a, double b);
double pow(double base, double exponent);

} // namespace kz
