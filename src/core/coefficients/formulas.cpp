// SPDX-License-Identifier: MIT
#include "core/coefficients/formulas.h"

#include "core/common/arith.h"

namespace kz::coef {

namespace {

double growth(double r) { return kz::add(kz::div(r, 100.0), 1.0); }

// Years are 16-bit: -n fails for n = -32768, as the negation of any 16-bit count would.
double discount(double r, std::int16_t n) { return kz::pow(growth(r), kz::neg16(n)); }

} // namespace

double futureValueFactor(double r, std::int16_t n) { return kz::pow(growth(r), n); }

double presentValueFactor(double r, std::int16_t n) { return discount(r, n); }

double sinkingFundFactor(double r, std::int16_t n)
{
    return kz::div(kz::div(r, 100.0), kz::sub(kz::pow(growth(r), n), 1.0));
}

double annuityFutureFactor(double r, std::int16_t n)
{
    return kz::mul(kz::div(kz::sub(kz::pow(growth(r), n), 1.0), r), 100.0);
}

double capitalRecoveryFactor(double r, std::int16_t n)
{
    return kz::div(kz::div(r, 100.0), kz::sub(1.0, discount(r, n)));
}

double annuityPresentFactor(double r, std::int16_t n)
{
    return kz::mul(kz::div(kz::div(kz::sub(1.0, discount(r, n)), r), 100.0), 10000.0);
}

} // namespace kz::coef
