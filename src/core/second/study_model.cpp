// SPDX-License-Identifier: MIT
#include "core/second/study_model.h"

#include "core/common/format.h"
#include "core/common/numeric.h"
#include "core/tax_sheet/figures.h"
#include "core/tax_sheet/sheet.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kz::second {
namespace {

// A typed number held within its range; halves to the even whole number.
std::int32_t held(std::string_view text, Range r)
{
    return static_cast<std::int32_t>(std::clamp(std::nearbyint(numericValue(text)), double(r.lo), double(r.hi)));
}

bool isAmount(Entry e) { return e == Entry::Estate || e == Entry::Share || e == Entry::Assets; }

std::int64_t taxableValue(const tax::TaxSheet& sheet, int person)
{
    std::int64_t v = 0;
    for (int row = 0; row < tax::kAmountRows; ++row)
        v += tax::kAmountSign[static_cast<std::size_t>(row)] * std::int64_t{sheet.kingaku(person, row)};
    return v;
}

tax::Fraction shareOf(const tax::TaxSheet& sheet, int k)
{
    return {numericValue(sheet.text(tax::numeratorField(k))), numericValue(sheet.text(tax::denominatorField(k)))};
}

bool given(const tax::Fraction& f) { return f.numerator != 0 && f.denominator != 0; }
double valueOf(const tax::Fraction& f) { return f.numerator / f.denominator; }

} // namespace

std::string_view refusalReason(SheetRefusal why)
{
    switch (why) {
    case SheetRefusal::None: break;
    case SheetRefusal::NoSpouse: return "配偶者がいない（配偶者の法定相続分がない）";
    case SheetRefusal::SpouseShare: return "配偶者の法定相続分が２分の１ではない";
    case SheetRefusal::OtherHeirs: return "配偶者と子のほかに相続人がいる（相続人の相続分や人数が配偶者と子のものでない）";
    case SheetRefusal::Amounts: return "課税価格①がマイナスの人がいるか、合計が大きすぎる";
    }
    return "";
}

SheetStudy fromSheet(const tax::TaxSheet& sheet)
{
    SheetStudy c;
    const auto refuse = [&](SheetRefusal why) {
        c.refusal = why;
        return c;
    };
    std::int64_t total = 0;
    for (int p = 1; p <= tax::kPersons; ++p) {
        if (taxableValue(sheet, p) < 0)
            return refuse(SheetRefusal::Amounts);
        total += taxableValue(sheet, p);
    }
    if (!kAmountRange.holds(static_cast<double>(total)))
        return refuse(SheetRefusal::Amounts);
    const tax::Fraction spouse = shareOf(sheet, 0);
    if (!given(spouse))
        return refuse(SheetRefusal::NoSpouse);
    if (valueOf(spouse) != 0.5)
        return refuse(SheetRefusal::SpouseShare);
    StudyInput& in = c.input;
    double children = 0;
    for (int p = 2; p <= 4; ++p) {
        const tax::Fraction share = shareOf(sheet, p - 1);
        if (!given(share)) {
            if (taxableValue(sheet, p) != 0)
                return refuse(SheetRefusal::OtherHeirs);
            continue;
        }
        in.sheetChildren.push_back({static_cast<std::int32_t>(taxableValue(sheet, p)), share,
                                    numericValue(sheet.text(tax::yearsField(p)))});
        children += valueOf(share);
    }
    const std::size_t n = in.sheetChildren.size();
    const double heirs = std::nearbyint(numericValue(sheet.text(tax::heirCountField()))); // as ③ reads it
    const bool equalShares = std::all_of(in.sheetChildren.begin(), in.sheetChildren.end(), [&](const SheetChild& k) {
        return std::abs(valueOf(k.share) - 0.5 / static_cast<double>(n)) < 1e-12;
    });
    if (n == 0 || !equalShares || std::abs(children - 0.5) > 1e-12 || heirs != static_cast<double>(n + 1))
        return refuse(SheetRefusal::OtherHeirs);
    in.estate = static_cast<std::int32_t>(total);
    in.children = static_cast<int>(n);
    in.spouseShare = static_cast<std::int32_t>(taxableValue(sheet, 1));
    in.legatee = static_cast<std::int32_t>(taxableValue(sheet, 5));
    in.law = &sheet.law();
    return c;
}

StudyForm::StudyForm(const StudyInput& start) { setInput(start); }

// The share as a part of what the spouse may take: E less the legatee's bequest.
double StudyForm::percent() const
{
    const std::int32_t range = in_.estate - in_.legatee;
    return range > 0 ? 100.0 * in_.spouseShare / range : 0.0;
}

void StudyForm::setStandalone(SheetRefusal why)
{
    refused_ = why;
    fromSheet_ = false;
    StudyInput in = in_;
    in.sheetChildren.clear();
    in.legatee = 0;
    setInput(in);
}

std::string StudyForm::note() const
{
    if (refused_ != SheetRefusal::None)
        return "計算シートの家族ではありません（" + std::string(refusalReason(refused_))
               + "ため）。ここに入力した配偶者と子の家族で試算しています。";
    if (!fromSheet_)
        return {};
    if (familyChanged_)
        return "計算シートの家族から課税価格か子の数を変えたため、子が均等に分ける家族で試算しています。";
    std::string family = "配偶者と子" + std::to_string(in_.children) + "人";
    if (in_.legatee != 0)
        family += "、受遺者";
    return "計算シートの家族（" + family + "）で試算しています。子の取得額は計算シートの割合で分けます。";
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
    case Entry::Children: {
        const std::int32_t v = held(t, e == Entry::Estate ? kAmountRange : kChildrenRange);
        // Another E or n is another family: the sheet's children and legatee no longer hold.
        if (v != (e == Entry::Estate ? in_.estate : in_.children) && (!in_.sheetChildren.empty() || in_.legatee != 0)) {
            in_.sheetChildren.clear();
            in_.legatee = 0;
            familyChanged_ = true;
        }
        (e == Entry::Estate ? in_.estate : in_.children) = v;
        break;
    }
    case Entry::Share: in_.spouseShare = held(t, {0, in_.estate - in_.legatee}); break;
    case Entry::Percent:
        in_.spouseShare = static_cast<std::int32_t>(
            std::nearbyint((in_.estate - in_.legatee) * std::clamp(numericValue(t), 0.0, 100.0) / 100));
        break;
    case Entry::Assets: in_.spouseAssets = held(t, kAmountRange); break;
    case Entry::Years: in_.years = held(t, kYearsRange); break;
    }
    in_.spouseShare = std::min(in_.spouseShare, in_.estate - in_.legatee);
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
    familyChanged_ = false;
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
    best_ = optimum(in_);
    const std::int32_t range = in_.estate - in_.legatee;
    const auto percentOf = [&](std::int32_t s) { return range > 0 ? 100.0 * s / range : 0.0; };
    // 0, 10, …, 100 % (the step's own percentage, also where E is 0); the two shares an adviser
    // names first: the statutory half of ② (within the spouse's range) and the most the spouse
    // takes free of tax whatever the estate, where it lies within the range; the optimum, the
    // chosen share.
    std::vector<std::pair<TableRow::Kind, std::int32_t>> rows;
    for (int step = 0; step <= 10; ++step)
        rows.emplace_back(TableRow::Kind::Step, static_cast<std::int32_t>(std::nearbyint(range * (step / 10.0))));
    rows.emplace_back(TableRow::Kind::Statutory, std::min(range, static_cast<std::int32_t>(std::nearbyint(in_.estate / 2.0))));
    if (in_.law->spouseTaxFree <= range)
        rows.emplace_back(TableRow::Kind::Limit, in_.law->spouseTaxFree);
    rows.emplace_back(TableRow::Kind::Optimum, best_.share);
    rows.emplace_back(TableRow::Kind::Chosen, in_.spouseShare);
    std::vector<std::int32_t> shares;
    for (const auto& [kind, share] : rows)
        shares.push_back(share);
    const std::vector<Figures> figures = evaluateAt(in_, shares);
    table_.clear();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TableRow::Kind kind = rows[i].first;
        table_.push_back({kind, shares[i], kind == TableRow::Kind::Step ? 10.0 * static_cast<double>(i) : percentOf(shares[i]),
                          figures[i]});
    }
    figures_ = figures.back();
    if (recomputed)
        recomputed();
}

} // namespace kz::second
