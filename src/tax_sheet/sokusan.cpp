#include "tax_sheet/sokusan.h"

#include <array>
#include <limits>

namespace kz::tax {
namespace {

struct Row {
    std::int32_t upTo; // inclusive: an amount on a bound belongs to the row it closes
    double rate;
    double deduction;
};

constexpr std::array<Row, 6> kTable{{
    {10'000, 0.10, 0},
    {30'000, 0.15, 500},
    {50'000, 0.20, 2'000},
    {100'000, 0.30, 7'000},
    {300'000, 0.40, 17'000},
    {std::numeric_limits<std::int32_t>::max(), 0.50, 47'000},
}};

} // namespace

double sokusan(std::int32_t x)
{
    for (const Row& row : kTable) {
        if (x <= row.upTo) {
            // Two separately rounded double operations: the sheet's halves depend on it.
            const double product = static_cast<double>(x) * row.rate;
            return product - row.deduction;
        }
    }
    return 0.0; // unreachable: the last row takes every int32
}

} // namespace kz::tax
