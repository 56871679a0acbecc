// SPDX-License-Identifier: MIT
#include "second/study_form.h"

#include "common/format.h"
#include "common/numeric.h"
#include "tax_sheet/sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kz::second {
namespace {

constexpr double kMaxAmount = std::numeric_limits<std::int32_t>::max();

// A typed number held within its range; halves to the even whole number.
std::int32_t held(std::string_view text, double lo, double hi)
{
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(numericValue(text)), lo, hi));
}

bool isAmount(Entry e) { return e == Entry::Estate || e == Entry::Share || e == Entry::Assets; }

double taxableValue(const tax::TaxSheet& sheet, int person)
{
    const auto k = [&](int row) { return static_cast<double>(sheet.kingaku(person, row)); };
    return k(0) + k(1) - k(2) - k(3) - k(4) + k(5);
}

} // namespace

StudyInput fromSheet(const tax::TaxSheet& sheet)
{
    // ② is the sum of the ① amounts, and a change of any amount clears it: reading the
    // stored amounts gives ② where it is shown and the same sum where it is not yet.
    double estate = 0;
    for (int p = 1; p <= tax::kPersons; ++p)
        estate += taxableValue(sheet, p);
    StudyInput in;
    in.estate = static_cast<std::int32_t>(std::clamp(estate, 0.0, kMaxAmount));
    in.spouseShare = static_cast<std::int32_t>(std::clamp(taxableValue(sheet, 1), 0.0, double(in.estate)));
    const bool spouseHeir = numericValue(sheet.text(tax::numeratorField(0))) != 0
                            && numericValue(sheet.text(tax::denominatorField(0))) != 0;
    const double heirs = std::nearbyint(numericValue(sheet.text(tax::heirCountField())));
    in.children = static_cast<int>(std::clamp(heirs - (spouseHeir ? 1 : 0), 1.0, 10.0));
    in.law = &sheet.law();
    return in;
}

StudyForm::StudyForm(const StudyInput& start) { setInput(start); }

double StudyForm::percent() const
{
    return in_.estate > 0 ? 100.0 * in_.spouseShare / in_.estate : 0.0;
}

void StudyForm::rewrite(Entry e, std::string text)
{
    auto& slot = texts_[static_cast<std::size_t>(e)];
    if (slot == text)
        return;
    slot = std::move(text);
    if (textChanged)
        textChanged(e);
}

// The held value in the form a field shows: amounts raw while edited, grouped otherwise.
static std::string shownText(Entry e, const StudyInput& in, double percent, bool focused)
{
    switch (e) {
    case Entry::Estate: return focused ? formatInteger(in.estate) : formatGrouped(in.estate);
    case Entry::Share: return focused ? formatInteger(in.spouseShare) : formatGrouped(in.spouseShare);
    case Entry::Assets: return focused ? formatInteger(in.spouseAssets) : formatGrouped(in.spouseAssets);
    case Entry::Children: return formatInteger(in.children);
    case Entry::Years: return formatInteger(in.years);
    case Entry::Percent: return formatTwoDecimals(percent);
    }
    return {};
}

void StudyForm::setText(Entry e, std::string text)
{
    texts_[static_cast<std::size_t>(e)] = std::move(text);
    const std::string& t = texts_[static_cast<std::size_t>(e)];
    switch (e) {
    case Entry::Estate:
        in_.estate = held(t, 0, kMaxAmount);
        break;
    case Entry::Children: in_.children = held(t, 1, 10); break;
    case Entry::Share: in_.spouseShare = held(t, 0, in_.estate); break;
    case Entry::Percent:
        in_.spouseShare = static_cast<std::int32_t>(
            std::nearbyint(in_.estate * std::clamp(numericValue(t), 0.0, 100.0) / 100));
        break;
    case Entry::Assets: in_.spouseAssets = held(t, 0, kMaxAmount); break;
    case Entry::Years: in_.years = held(t, 0, 10); break;
    }
    in_.spouseShare = std::min(in_.spouseShare, in_.estate);
    // The share and its percentage follow each other; the field being typed in stays as typed.
    for (const Entry other : {Entry::Share, Entry::Percent})
        if (other != e && !focused_[static_cast<std::size_t>(other)])
            rewrite(other, shownText(other, in_, percent(), false));
    recompute();
}

void StudyForm::gotFocus(Entry e)
{
    focused_[static_cast<std::size_t>(e)] = true;
    if (isAmount(e))
        rewrite(e, shownText(e, in_, percent(), true));
}

void StudyForm::lostFocus(Entry e)
{
    focused_[static_cast<std::size_t>(e)] = false;
    rewrite(e, shownText(e, in_, percent(), false));
    if (e == Entry::Percent || e == Entry::Share) // the other one was left as typed meanwhile
        rewrite(e == Entry::Share ? Entry::Percent : Entry::Share,
                shownText(e == Entry::Share ? Entry::Percent : Entry::Share, in_, percent(), false));
}

Entry StudyForm::enterTarget(Entry e)
{
    return static_cast<Entry>((static_cast<int>(e) + 1) % kEntryCount);
}

void StudyForm::setLaw(const tax::LawEdition& law)
{
    in_.law = &law;
    recompute();
}

void StudyForm::setSecondLaw(const tax::LawEdition* law)
{
    in_.secondLaw = law;
    recompute();
}

void StudyForm::setInput(const StudyInput& in)
{
    in_ = in;
    for (int i = 0; i < kEntryCount; ++i)
        rewrite(static_cast<Entry>(i), shownText(static_cast<Entry>(i), in_, percent(), focused_[std::size_t(i)]));
    recompute();
}

void StudyForm::chooseOptimum()
{
    // Where several shares cost the same least, the one of them nearest the share now chosen:
    // the adviser's choice moves no further than the saving needs.
    std::int32_t nearest = best_.share;
    std::int64_t distance = std::numeric_limits<std::int64_t>::max();
    for (const ShareRange& r : best_.equalRanges) {
        const std::int32_t candidate = std::clamp(in_.spouseShare, r.from, r.to);
        const std::int64_t d = std::abs(std::int64_t{candidate} - in_.spouseShare);
        if (d < distance) {
            distance = d;
            nearest = candidate;
        }
    }
    in_.spouseShare = nearest;
    for (const Entry e : {Entry::Share, Entry::Percent})
        rewrite(e, shownText(e, in_, percent(), focused_[static_cast<std::size_t>(e)]));
    recompute();
}

void StudyForm::recompute()
{
    figures_ = evaluate(in_);
    best_ = optimum(in_);
    StudyInput at = in_;
    const auto row = [&](TableRow::Kind kind, std::int32_t share, double percent) {
        at.spouseShare = share;
        table_.push_back({kind, share, percent, evaluate(at)});
    };
    const auto percentOf = [&](std::int32_t s) { return in_.estate > 0 ? 100.0 * s / in_.estate : 0.0; };
    table_.clear();
    for (int step = 0; step <= 10; ++step) // the step's own percentage, also where E is 0
        row(TableRow::Kind::Step, static_cast<std::int32_t>(std::nearbyint(in_.estate * (step / 10.0))), step * 10.0);
    // The two shares an adviser names first: the statutory share, and the most the spouse
    // takes free of tax whatever the estate.
    const auto statutory = static_cast<std::int32_t>(std::nearbyint(in_.estate / 2.0));
    row(TableRow::Kind::Statutory, statutory, percentOf(statutory));
    constexpr std::int32_t kTaxFree = 160'000; // 1億6千万円
    if (kTaxFree <= in_.estate)
        row(TableRow::Kind::Limit, kTaxFree, percentOf(kTaxFree));
    row(TableRow::Kind::Optimum, best_.share, percentOf(best_.share));
    row(TableRow::Kind::Chosen, in_.spouseShare, percentOf(in_.spouseShare));
    curve_.clear();
    for (const std::int32_t s : best_.kinks) {
        at.spouseShare = s;
        curve_.push_back(evaluate(at));
    }
    if (recomputed)
        recomputed();
}

} // namespace kz::second
