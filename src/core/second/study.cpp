// SPDX-License-Identifier: MIT
#include "core/second/study.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kz::second {
namespace {

// The second inheritance in twentieths of a 千円: exact for every rate of 5 % steps.
using Units = std::int64_t;
constexpr Units kPerThousand = 20;

Units unitsOf(double lawFigure)
{
    const auto u = static_cast<Units>(std::llround(lawFigure * kPerThousand));
    if (static_cast<double>(u) / kPerThousand != lawFigure)
        throw std::logic_error("a law figure that is no whole twentieth");
    return u;
}

double thousands(Units u) { return static_cast<double>(u) / kPerThousand; }

const tax::LawEdition& secondLawOf(const StudyInput& in) { return in.secondLaw ? *in.secondLaw : *in.law; }

std::int64_t floorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
std::int64_t ceilDiv(std::int64_t a, std::int64_t b) { return -floorDiv(-a, b); }

// The children's weights: their sheet amounts, or 1 each.
struct Weights {
    std::array<std::int64_t, tax::kMaxChildren> w{};
    std::int64_t sum = 0;
    int last = 0;       // takes the remainder: the largest amount, the last of equals
    bool equal = false; // all alike: child i takes ⌊(x + i) ÷ n⌋, which only grows with x
};

Weights weightsOf(const StudyInput& in)
{
    Weights ws;
    const int n = in.children;
    for (int i = 0; i < n && !in.sheetChildren.empty(); ++i)
        ws.sum += ws.w[static_cast<std::size_t>(i)] = in.sheetChildren[static_cast<std::size_t>(i)].amount;
    if (ws.sum == 0) {
        std::fill_n(ws.w.begin(), n, 1);
        ws.sum = n;
    }
    for (int i = 0; i < n; ++i)
        if (ws.w[static_cast<std::size_t>(i)] >= ws.w[static_cast<std::size_t>(ws.last)])
            ws.last = i;
    ws.equal = std::all_of(ws.w.begin(), ws.w.begin() + n, [&](std::int64_t w) { return w == ws.w[0]; });
    return ws;
}

// What does not depend on the share, and every figure at a share.
class Model {
public:
    explicit Model(const StudyInput& in)
        : in_(in)
        , first_(firstCase(in))
        , weights_(weightsOf(in))
        , range_(in.estate - in.legatee)
    {
        const tax::LawEdition& law2 = secondLawOf(in);
        const std::int64_t n = in.children;
        deduction2_ = law2.basicDeduction + std::int64_t{law2.basicPerHeir} * n;
        for (const tax::QuickRow& r : law2.quickTable)
            rows_.push_back({n * r.upTo, unitsOf(r.rate), n * unitsOf(r.deduction)});
    }

    std::int32_t range() const { return range_; }

    tax::FirstPayments first(std::int32_t s) const
    {
        std::array<std::int32_t, tax::kMaxChildren> kids{};
        split(range_ - s, kids);
        return first_.pay(s, std::span(kids).first(static_cast<std::size_t>(in_.children)));
    }

    void split(std::int32_t rest, std::span<std::int32_t> out) const
    {
        if (weights_.equal) { // Hermite: the parts add up to rest, the odd 千円 to the last
            for (int i = 0; i < in_.children; ++i)
                out[static_cast<std::size_t>(i)] = static_cast<std::int32_t>((std::int64_t{rest} + i) / in_.children);
            return;
        }
        std::int64_t given = 0;
        for (int i = 0; i < in_.children; ++i) {
            if (i == weights_.last)
                continue;
            const auto c = rest * weights_.w[static_cast<std::size_t>(i)] / weights_.sum;
            out[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(c);
            given += c;
        }
        out[static_cast<std::size_t>(weights_.last)] = static_cast<std::int32_t>(rest - given);
    }

    struct Second {
        std::int64_t estate, taxable;
        Units tax, credit, payable;
    };
    Second second(std::int32_t s, std::int64_t spousePays) const
    {
        Second g{};
        g.estate = std::int64_t{in_.spouseAssets} + s - spousePays;
        g.taxable = std::max<std::int64_t>(0, g.estate - deduction2_);
        // n × the quick table on a child's share, the row chosen by x / n against its bound.
        std::size_t i = 0;
        while (i + 1 < rows_.size() && g.taxable > rows_[i].upTo)
            ++i;
        g.tax = g.taxable * rows_[i].rate - rows_[i].deduction;
        // 相次相続控除: A × min(1, E2 ÷ (S − A)) × (10 − Y) ÷ 10. P ≥ 0 makes E2 ≥ S − A, so
        // the cap is 1, and a credit level in the share keeps the total rising with it.
        if (spousePays > 0 && in_.years < 10)
            g.credit = spousePays * (10 - in_.years) * kPerThousand / 10;
        g.payable = std::max<Units>(0, g.tax - g.credit);
        return g;
    }

    Units total(std::int32_t s, const tax::FirstPayments& p) const
    {
        return p.total() * kPerThousand + second(s, p.spouse).payable;
    }

    Figures figures(std::int32_t s, const tax::FirstPayments& p) const { return figures(p, second(s, p.spouse)); }
    Figures figures(const tax::FirstPayments& p, const Second& g) const
    {
        Figures f;
        f.firstDeduction = first_.basic();
        f.firstTaxable = first_.estate();
        f.firstTax = first_.totalTax();
        f.reductionBound = first_.reducedAbove();
        f.reduction = static_cast<double>(p.reduction);
        f.spousePays = static_cast<double>(p.spouse);
        f.childrenPay = static_cast<double>(p.childrenTotal());
        f.legateePays = static_cast<double>(p.legatee);
        f.firstPayable = static_cast<double>(p.total());
        for (std::size_t i = 0; i < f.childPays.size(); ++i)
            f.childPays[i] = static_cast<double>(p.children[i]);
        f.secondEstate = static_cast<double>(g.estate);
        f.secondDeduction = static_cast<double>(deduction2_);
        f.secondTaxable = static_cast<double>(g.taxable);
        f.secondTax = thousands(g.tax);
        f.credit = thousands(g.credit);
        f.secondPayable = thousands(g.payable);
        f.total = thousands(p.total() * kPerThousand + g.payable);
        return f;
    }

    // Every share where the first inheritance may differ from the share below it: where
    // the spouse's ratio steps, where the reduction ends, where a child's ratio steps.
    std::vector<std::int32_t> steps() const
    {
        std::vector<std::int32_t> out{0};
        out.reserve(256);
        const auto at = [&](std::int64_t s) {
            if (s >= 0 && s <= range_)
                out.push_back(static_cast<std::int32_t>(s));
        };
        const std::vector<std::int32_t> ratioSteps = first_.ratioSteps();
        for (const std::int32_t a : ratioSteps)
            at(a);
        at(std::int64_t{first_.reducedAbove()} + 1);
        const std::int64_t sum = weights_.sum, n = in_.children;
        for (int i = 0; i < in_.children; ++i) {
            const std::int64_t w = weights_.w[static_cast<std::size_t>(i)];
            if (w == 0)
                continue;
            for (const std::int64_t a : ratioSteps) {
                // A child never holds more than the range: higher steps are out of reach.
                if (a * sum > std::int64_t{range_} * w + n * sum)
                    break;
                if (weights_.equal) { // ⌊(x + i) ÷ n⌋ ≥ a exactly from x = a·n − i
                    at(range_ - (a * n - i) + 1);
                    continue;
                }
                if (i != weights_.last) {
                    // floor(x·w/W) ≥ a exactly from x = ⌈a·W/w⌉, x = range − S.
                    at(range_ - ceilDiv(a * sum, w) + 1);
                    continue;
                }
                // The remainder's child holds floor(x·w/W) plus less than n − 1: it reaches a
                // somewhere between these, each share of which is a step.
                const std::int64_t lo = std::max<std::int64_t>(0, floorDiv((a - n + 1) * sum, w));
                const std::int64_t hi = std::min<std::int64_t>(range_, ceilDiv(a * sum, w));
                for (std::int64_t x = lo; x <= hi; ++x) {
                    at(range_ - x);
                    at(range_ - x + 1);
                }
            }
        }
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
        return out;
    }

    // Where the second inheritance bends inside [lo, hi] with A held: E2 reaching the
    // deduction, a child's share reaching each bound, G reaching 0.
    void bends(std::int32_t lo, std::int32_t hi, std::int64_t spousePays, Units credit, std::vector<std::int32_t>& out) const
    {
        const std::int64_t zero = deduction2_ - in_.spouseAssets + spousePays; // the share where E2 = deduction
        const auto at = [&](std::int64_t s) {
            if (s > lo && s < hi)
                out.push_back(static_cast<std::int32_t>(s));
        };
        at(zero);
        for (std::size_t i = 0; i + 1 < rows_.size(); ++i)
            at(zero + rows_[i].upTo);
        // G reaches 0 where T2 = K: in the first row whose top already costs more than K.
        for (std::size_t i = 0; credit > 0 && i < rows_.size(); ++i) {
            if (i + 1 < rows_.size() && rows_[i].upTo * rows_[i].rate - rows_[i].deduction <= credit)
                continue;
            const std::int64_t x = floorDiv(credit + rows_[i].deduction, rows_[i].rate); // the last X2 at T2 ≤ K
            at(zero + x);
            at(zero + x + 1);
            break;
        }
    }

    // The last share in [lo, hi] where a test that holds at lo and fails from some share on holds.
    template <typename Test>
    static std::int32_t lastWhere(std::int32_t lo, std::int32_t hi, Test holds)
    {
        while (lo < hi) {
            const std::int32_t mid = lo + (hi - lo + 1) / 2;
            if (holds(mid))
                lo = mid;
            else
                hi = mid - 1;
        }
        return lo;
    }

private:
    struct Row {
        std::int64_t upTo; // n × the bound of a child's share
        Units rate, deduction;
    };
    const StudyInput& in_;
    tax::Division first_;
    Weights weights_;
    std::int32_t range_;
    std::int64_t deduction2_ = 0;
    std::vector<Row> rows_;
};

void requireValid(const StudyInput& in)
{
    if (validate(in) != InputError::None || in.law == nullptr)
        throw std::invalid_argument("second-inheritance input out of range");
}

} // namespace

InputError validate(const StudyInput& in)
{
    if (!kAmountRange.holds(in.estate))
        return InputError::Estate;
    if (!kChildrenRange.holds(in.children)
        || (!in.sheetChildren.empty() && in.sheetChildren.size() != static_cast<std::size_t>(in.children)))
        return InputError::Children;
    if (in.spouseShare < 0 || in.spouseShare > std::int64_t{in.estate} - in.legatee)
        return InputError::SpouseShare;
    if (!kAmountRange.holds(in.spouseAssets))
        return InputError::SpouseAssets;
    if (!kYearsRange.holds(in.years))
        return InputError::Years;
    if (in.legatee < 0 || in.legatee > in.estate
        || std::any_of(in.sheetChildren.begin(), in.sheetChildren.end(), [](const SheetChild& c) { return c.amount < 0; }))
        return InputError::Legatee;
    return InputError::None;
}

tax::FirstCase firstCase(const StudyInput& in)
{
    tax::FirstCase c;
    c.law = in.law;
    c.total = in.estate;
    c.heirs = static_cast<std::int16_t>(in.children + 1);
    c.spouseShare = {1, 2};
    c.legatee = in.legatee;
    for (int i = 0; i < in.children; ++i) {
        const bool sheet = !in.sheetChildren.empty();
        c.childShares.push_back(sheet ? in.sheetChildren[static_cast<std::size_t>(i)].share
                                      : tax::Fraction{1, 2.0 * in.children});
        c.childYears.push_back(sheet ? in.sheetChildren[static_cast<std::size_t>(i)].minorYears : 0.0);
    }
    return c;
}

void splitAmong(const StudyInput& in, std::int32_t rest, std::span<std::int32_t> out)
{
    requireValid(in);
    Model(in).split(rest, out);
}

Figures evaluate(const StudyInput& in)
{
    requireValid(in);
    const Model m(in);
    return m.figures(in.spouseShare, m.first(in.spouseShare));
}

std::vector<Figures> evaluateAt(const StudyInput& in, std::span<const std::int32_t> shares)
{
    StudyInput probe = in;
    probe.spouseShare = 0;
    requireValid(probe);
    const Model m(in);
    std::vector<Figures> out;
    out.reserve(shares.size());
    for (const std::int32_t s : shares) {
        if (s < 0 || s > m.range())
            throw std::invalid_argument("second-inheritance share out of range");
        out.push_back(m.figures(s, m.first(s)));
    }
    return out;
}

Optimum optimum(const StudyInput& in)
{
    StudyInput probe = in;
    probe.spouseShare = 0;
    requireValid(probe);
    const Model m(in);
    const std::vector<std::int32_t> starts = m.steps();

    // Each stretch between steps: the first inheritance level, the total rising with the share.
    struct Stretch {
        std::int32_t lo, hi;
        tax::FirstPayments first;
        Model::Second atLo, atHi;
        Units least, most;
    };
    std::vector<Stretch> stretches;
    stretches.reserve(starts.size());
    for (std::size_t j = 0; j < starts.size(); ++j) {
        const std::int32_t lo = starts[j], hi = j + 1 < starts.size() ? starts[j + 1] - 1 : m.range();
        const tax::FirstPayments p = m.first(lo);
        const Units first = p.total() * kPerThousand;
        const Model::Second atLo = m.second(lo, p.spouse), atHi = m.second(hi, p.spouse);
        stretches.push_back({lo, hi, p, atLo, atHi, first + atLo.payable, first + atHi.payable});
    }
    Units low = stretches.front().least, high = stretches.front().most;
    for (const Stretch& s : stretches)
        low = std::min(low, s.least), high = std::max(high, s.most);

    Optimum o;
    o.kinks.reserve(2 * stretches.size());
    o.curve.reserve(2 * stretches.size());
    bool shareFound = false, largestFound = false;
    std::vector<std::int32_t> points;
    for (const Stretch& s : stretches) {
        const auto totalAt = [&](std::int32_t x) { return m.total(x, s.first); };
        if (s.least == low) {
            if (!shareFound)
                o.share = s.lo, shareFound = true;
            const std::int32_t end = Model::lastWhere(s.lo, s.hi, [&](std::int32_t x) { return totalAt(x) == low; });
            if (!o.equalRanges.empty() && o.equalRanges.back().to + 1 == s.lo)
                o.equalRanges.back().to = end;
            else
                o.equalRanges.push_back({s.lo, end});
        }
        if (s.most == high && !largestFound) {
            o.largestShare = s.lo == s.hi || s.least == high
                                 ? s.lo
                                 : Model::lastWhere(s.lo, s.hi, [&](std::int32_t x) { return totalAt(x) < high; }) + 1;
            largestFound = true;
        }
        o.kinks.push_back(s.lo);
        o.curve.push_back(m.figures(s.first, s.atLo));
        points.clear();
        m.bends(s.lo, s.hi, s.first.spouse, s.atLo.credit, points);
        std::sort(points.begin(), points.end());
        points.erase(std::unique(points.begin(), points.end()), points.end());
        for (const std::int32_t x : points) {
            o.kinks.push_back(x);
            o.curve.push_back(m.figures(x, s.first));
        }
        if (s.hi != s.lo) {
            o.kinks.push_back(s.hi);
            o.curve.push_back(m.figures(s.first, s.atHi));
        }
    }
    o.total = thousands(low);
    o.largestTotal = thousands(high);
    return o;
}

std::int64_t shown(double amount) { return static_cast<std::int64_t>(std::nearbyint(amount)); }

} // namespace kz::second
