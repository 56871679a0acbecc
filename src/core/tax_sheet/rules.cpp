// SPDX-License-Identifier: MIT
#include "core/tax_sheet/rules.h"

#include "core/common/arith.h"
#include "core/common/format.h"
#include "core/common/numeric.h"
#include "core/tax_sheet/sokusan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kz::tax {
namespace {
constexpr double kLegateeCap = 0.7;
constexpr double kLegateeSurcharge = 0.2;
} // namespace

std::int32_t basicDeduction(const LawEdition& law, std::int16_t heirs)
{
    return add32(law.basicDeduction, mul32(law.basicPerHeir, heirs));
}

std::int32_t taxableEstate(std::int32_t total, std::int32_t basic, std::int64_t* excess)
{
    const std::int64_t over = std::int64_t{total} - basic;
    if (over > std::numeric_limits<std::int32_t>::max())
        throw ArithmeticError(Failure::Range, "32-bit overflow");
    if (excess)
        *excess = over;
    return over < 0 ? 0 : static_cast<std::int32_t>(over);
}

std::int32_t shareTax(std::int32_t share, const LawEdition& law) { return toInt32(sokusan(share, law)); }

double ratioOf(std::int32_t part, std::int32_t total)
{
    if (part == 0)
        return 0.0;
    const double scaled = mul(add(div(part, total), 0.005), 100.0);
    return std::floor(scaled) / 100.0;
}

std::int32_t statutoryShare(double amount, double numerator, double denominator)
{
    return toInt32(div(mul(amount, numerator), denominator));
}

SpouseReduction spouseReduction(std::int32_t spouse, std::int32_t statutory, std::int32_t total,
                                std::int32_t totalTax, double before, const LawEdition& law)
{
    SpouseReduction r;
    r.lesser = statutory < spouse ? statutory : spouse;
    r.limit = std::max(r.lesser, law.spouseTaxFree);
    r.ratio = reductionRatio(r.limit, total);
    r.reduction = mul(totalTax, r.ratio);
    r.reduced = spouseReduced(spouse, statutory, law);
    r.payable = spousePayable(r.reduced, before, r.reduction);
    return r;
}

// Cut to the two decimals the "#0.00" form shows, as the sheet reads its own label.
double reductionRatio(std::int32_t limit, std::int32_t total) { return numericValue(formatTwoDecimals(div(limit, total))); }

bool spouseReduced(std::int32_t spouse, std::int32_t statutory, const LawEdition& law)
{
    return spouse > law.spouseTaxFree && statutory < spouse;
}

double spousePayable(bool reduced, double before, double reduction) { return reduced ? std::max(0.0, sub(before, reduction)) : 0.0; }

double minorDeduction(double years, const LawEdition& law) { return mul(years, law.minorPerYear); }

double asLabelReads(double deduction) { return deduction == 0 ? 0.0 : plainValue(formatPlain(deduction)); }

double heirPayable(double before, double deduction) { return std::max(0.0, sub(before, deduction)); }

std::int32_t raisedTax(double before) { return toInt32(add(mul(before, kLegateeSurcharge), before)); }

LegateeTax legateeTax(std::int32_t legatee, double before)
{
    LegateeTax t;
    if (legatee == 0)
        return t;
    t.cap = toInt32(mul(legatee, kLegateeCap));
    t.raised = raisedTax(before);
    // A legatee whose debts exceed what it received pays nothing, not a negative cap.
    t.payable = std::max(0, std::min(t.raised, t.cap));
    return t;
}

} // namespace kz::tax
