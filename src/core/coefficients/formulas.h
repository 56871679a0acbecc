// SPDX-License-Identifier: MIT
#pragma once
// The six compound-interest coefficients as the calculate commands compute them: r is
// the rate in percent a year, n whole years. Every step is a checked double operation
// (kz::ArithmeticError on division by zero, overflow or an invalid result) in the
// order written here; the last bits of the shown results depend on that order.
#include <cstdint>

namespace kz::coef {

double futureValueFactor(double r, std::int16_t n);     // (r / 100 + 1) ^ n
double presentValueFactor(double r, std::int16_t n);    // (r / 100 + 1) ^ (-n)
double sinkingFundFactor(double r, std::int16_t n);     // (r / 100) / ((r / 100 + 1) ^ n - 1)
double annuityFutureFactor(double r, std::int16_t n);   // ((r / 100 + 1) ^ n - 1) / r * 100
double capitalRecoveryFactor(double r, std::int16_t n); // (r / 100) / (1 - (r / 100 + 1) ^ (-n))
double annuityPresentFactor(double r, std::int16_t n);  // (1 - (r / 100 + 1) ^ (-n)) / r / 100 * 10000

} // namespace kz::coef
