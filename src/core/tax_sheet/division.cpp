// SPDX-License-Identifier: MIT
#include "core/tax_sheet/division.h"

#include "core/common/arith.h"
#include "core/common/format.h"
#include "core/tax_sheet/rules.h"

#include <algorithm>
#include <cmath>

namespace kz::tax {

Division::Division(const FirstCase& c)
    : law_(c.law)
    , total_(c.total)
{
    // As keisan: ③, ④, then each share's tax summed in the sheet's order, spouse first.
    basic_ = basicDeduction(*law_, c.heirs);
    estate_ = taxableEstate(total_, basic_);
    const auto taxOf = [&](const Fraction& f) {
        return f.denominator == 0.0 ? 0 : shareTax(statutoryShare(estate_, f.numerator, f.denominator), *law_);
    };
    totalTax_ = taxOf(c.spouseShare);
    for (const Fraction& f : c.childShares)
        totalTax_ = add32(totalTax_, taxOf(f));
    statutory_ = statutoryShare(total_, c.spouseShare.numerator, c.spouseShare.denominator);
    // Wherever the reduction applies the lesser is the statutory share: its ratio is fixed.
    if (total_ != 0)
        reduction_ = mul(totalTax_, reductionRatio(std::max(statutory_, law_->spouseTaxFree), total_));
    for (const double years : c.childYears)
        deductions_.push_back(asLabelReads(minorDeduction(years, *law_)));
    legatee_ = legateeTax(c.legatee, mul(totalTax_, ratioOf(c.legatee, total_))).payable;
}

std::int32_t Division::reducedAbove() const { return std::max(statutory_, law_->spouseTaxFree); }

FirstPayments Division::pay(std::int32_t spouse, std::span<const std::int32_t> children) const
{
    FirstPayments p;
    const bool reduced = spouseReduced(spouse, statutory_, *law_);
    p.reduction = reduced ? groupedValue(reduction_) : 0;
    p.spouse = groupedValue(spousePayable(reduced, mul(totalTax_, ratioOf(spouse, total_)), reduction_));
    for (std::size_t i = 0; i < children.size() && i < p.children.size(); ++i) {
        const double before = mul(totalTax_, ratioOf(children[i], total_));
        p.children[i] = groupedValue(heirPayable(before, i < deductions_.size() ? deductions_[i] : 0.0));
        p.childrenSum += p.children[i];
    }
    p.legatee = legatee_;
    return p;
}

std::vector<std::int32_t> Division::ratioSteps() const
{
    std::vector<std::int32_t> steps;
    if (total_ <= 0)
        return steps;
    for (int k = 1; k <= 100; ++k) {
        const double want = k / 100.0;
        if (ratioOf(total_, total_) < want)
            break;
        // ratioOf rises with the part: start where (k − 0.5) / 100 of ② lies, then step to the
        // first part that reaches k / 100, which rounding leaves a few 千円 off at most.
        const auto guess = static_cast<std::int64_t>(std::floor((k - 0.5) / 100.0 * total_));
        std::int32_t at = static_cast<std::int32_t>(std::clamp<std::int64_t>(guess, 1, total_));
        while (at > 1 && ratioOf(at - 1, total_) >= want)
            --at;
        while (at < total_ && ratioOf(at, total_) < want)
            ++at;
        if (steps.empty() || steps.back() != at)
            steps.push_back(at);
    }
    return steps;
}

} // namespace kz::tax
