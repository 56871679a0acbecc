// SPDX-License-Identifier: MIT
#include "second/study.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kz::second {
namespace {

// The quick table of an edition on an unrounded share; the same two roundings as sokusan.
double quickTax(double x, const tax::LawEdition& law)
{
    // The last row takes every amount, also a second estate beyond the 32 bits of its bound.
    std::size_t i = 0;
    while (i + 1 < law.quickTable.size() && x > law.quickTable[i].upTo)
        ++i;
    const double product = x * law.quickTable[i].rate;
    return product - law.quickTable[i].deduction;
}

const tax::LawEdition& secondLaw(const StudyInput& in) { return in.secondLaw ? *in.secondLaw : *in.law; }

// What does not depend on the share.
struct Fixed {
    double estate, deduction1, taxable1, tax1, reductionBound, deduction2;
};

Fixed fixedPart(const StudyInput& in)
{
    const int n = in.children;
    const double e = in.estate;
    const double d1 = in.law->basicDeduction + static_cast<double>(in.law->basicPerHeir) * (n + 1);
    const double x = std::max(0.0, e - d1);
    // Statutory shares: the spouse one half, each child 1/(2n).
    const double t1 = quickTax(x / 2, *in.law) + n * quickTax(x / (2.0 * n), *in.law);
    const tax::LawEdition& law2 = secondLaw(in);
    const double d2 = law2.basicDeduction + static_cast<double>(law2.basicPerHeir) * n;
    return {e, d1, x, t1, std::max(160'000.0, e / 2), d2};
}

// Every figure at a share s, which the break-point search also asks between whole 千円.
Figures figuresAt(const StudyInput& in, const Fixed& k, double s)
{
    Figures f;
    f.firstDeduction = k.deduction1;
    f.firstTaxable = k.taxable1;
    f.firstTax = k.tax1;
    f.reductionBound = k.reductionBound;
    if (k.estate > 0) {
        f.reduction = k.tax1 * std::min(s, k.reductionBound) / k.estate;
        f.spousePays = std::max(0.0, k.tax1 * s / k.estate - f.reduction);
        f.childrenPay = k.tax1 * (k.estate - s) / k.estate;
    }
    f.firstPayable = f.spousePays + f.childrenPay;
    f.secondEstate = in.spouseAssets + s - f.spousePays;
    f.secondDeduction = k.deduction2;
    f.secondTaxable = std::max(0.0, f.secondEstate - k.deduction2);
    const int n = in.children;
    f.secondTax = n * quickTax(f.secondTaxable / n, secondLaw(in));
    if (f.spousePays > 0 && in.years < 10) {
        const double cap = std::clamp(f.secondEstate / (s - f.spousePays), 0.0, 1.0);
        f.credit = f.spousePays * cap * (10 - in.years) / 10;
    }
    f.secondPayable = std::max(0.0, f.secondTax - f.credit);
    f.total = f.firstPayable + f.secondPayable;
    return f;
}

// Shares where a figure bends: the reduction's bound, the second estate reaching the
// deduction and each quick-table bound of a child's share, and G reaching 0.
std::vector<double> breakPoints(const StudyInput& in, const Fixed& k)
{
    const double e = k.estate;
    std::vector<double> points{0.0, e};
    if (k.reductionBound < e)
        points.push_back(k.reductionBound);
    // E2 rises by 1 per 千円 up to the bound, then by 1 − T1/E (T1 < E).
    const double slopeAbove = e > 0 ? 1.0 - k.tax1 / e : 1.0;
    const auto shareFor = [&](double e2) {
        const double s = e2 - in.spouseAssets;
        return s <= k.reductionBound ? s : k.reductionBound + (s - k.reductionBound) / slopeAbove;
    };
    const tax::LawEdition& law2 = secondLaw(in);
    points.push_back(shareFor(k.deduction2));
    for (std::size_t i = 0; i + 1 < law2.quickTable.size(); ++i)
        points.push_back(shareFor(k.deduction2 + static_cast<double>(law2.quickTable[i].upTo) * in.children));
    std::erase_if(points, [&](double p) { return !(p >= 0 && p <= e); });
    std::sort(points.begin(), points.end());
    // T2 − K is linear between these; where it changes sign, G bends.
    const std::size_t structural = points.size();
    for (std::size_t i = 0; i + 1 < structural; ++i) {
        const Figures a = figuresAt(in, k, points[i]);
        const Figures b = figuresAt(in, k, points[i + 1]);
        const double ha = a.secondTax - a.credit, hb = b.secondTax - b.credit;
        if ((ha < 0) != (hb < 0))
            points.push_back(points[i] + (points[i + 1] - points[i]) * ha / (ha - hb));
    }
    return points;
}

} // namespace

InputError validate(const StudyInput& in)
{
    if (in.estate < 0)
        return InputError::Estate;
    if (in.children < 1 || in.children > 10)
        return InputError::Children;
    if (in.spouseShare < 0 || in.spouseShare > in.estate)
        return InputError::SpouseShare;
    if (in.spouseAssets < 0)
        return InputError::SpouseAssets;
    if (in.years < 0 || in.years > 10)
        return InputError::Years;
    return InputError::None;
}

namespace {
void requireValid(const StudyInput& in)
{
    if (validate(in) != InputError::None || in.law == nullptr)
        throw std::invalid_argument("second-inheritance input out of range");
}
} // namespace

Figures evaluate(const StudyInput& in)
{
    requireValid(in);
    return figuresAt(in, fixedPart(in), in.spouseShare);
}

bool sameTotal(double a, double b)
{
    return std::abs(a - b) <= 1e-12 * std::max({1.0, std::abs(a), std::abs(b)});
}

Optimum optimum(const StudyInput& in)
{
    StudyInput probe = in;
    probe.spouseShare = 0;
    requireValid(probe);
    const Fixed k = fixedPart(in);

    // A break point between two whole 千円, or computed a hair off, still leaves every
    // stretch between neighbouring kinks straight: take two whole shares on each side.
    std::vector<std::int32_t> kinks;
    for (const double p : breakPoints(in, k)) {
        const double base = std::floor(p);
        for (double s = base - 1; s <= base + 2; ++s)
            if (s >= 0 && s <= in.estate)
                kinks.push_back(static_cast<std::int32_t>(s));
    }
    std::sort(kinks.begin(), kinks.end());
    kinks.erase(std::unique(kinks.begin(), kinks.end()), kinks.end());

    std::vector<double> totals;
    totals.reserve(kinks.size());
    for (const std::int32_t s : kinks)
        totals.push_back(figuresAt(in, k, s).total);

    Optimum o;
    o.kinks = kinks;
    const double low = *std::min_element(totals.begin(), totals.end());
    const double high = *std::max_element(totals.begin(), totals.end());
    const auto firstAt = [&](double v) {
        const auto i = std::find_if(totals.begin(), totals.end(), [&](double t) { return sameTotal(t, v); });
        return static_cast<std::size_t>(i - totals.begin());
    };
    o.largestShare = kinks[firstAt(high)];
    o.largestTotal = totals[firstAt(high)];
    o.share = kinks[firstAt(low)];
    o.total = totals[firstAt(low)];
    // Straight between neighbouring kinks: two neighbours at the minimum hold it all the way.
    bool open = false;
    for (std::size_t i = 0; i < kinks.size(); ++i) {
        if (!sameTotal(totals[i], low)) {
            open = false;
            continue;
        }
        if (open)
            o.equalRanges.back().to = kinks[i];
        else
            o.equalRanges.push_back({kinks[i], kinks[i]});
        open = true;
    }
    return o;
}

std::int64_t shown(double amount) { return static_cast<std::int64_t>(std::nearbyint(amount)); }

} // namespace kz::second
