// SPDX-License-Identifier: MIT
#include "core/tax_sheet/sheet.h"

#include "core/common/arith.h"
#include "core/common/format.h"
#include "core/common/numeric.h"
#include "core/tax_sheet/figures.h"
#include "core/tax_sheet/rules.h"
#include "core/tax_sheet/sokusan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kz::tax {
namespace {

constexpr int kHeirsWithShare = 4;

std::string amountText(double v) { return formatGrouped(v); }

} // namespace

TaxSheet::TaxSheet()
{
    for (int tab = 0; tab < kFieldCount; ++tab) {
        // Shares start empty, the rest "0".
        fields_[static_cast<std::size_t>(tab)].assign(isShareField(fieldAtTab(tab)) ? 0 : 1, '0');
    }
}

void TaxSheet::setLaw(const LawEdition& law)
{
    if (&law == law_)
        return;
    law_ = &law;
    if (lawChanged)
        lawChanged();
    shokika();
}

void TaxSheet::setText(Field f, std::string text)
{
    if (!isValid(f))
        return;
    std::string& slot = fields_[static_cast<std::size_t>(tabIndex(f))];
    if (slot == text)
        return;
    slot = std::move(text);
    if (inputChanged)
        inputChanged(f);
    shokika();
}

void TaxSheet::setSurcharged(int person, bool on)
{
    if (person < 2 || person > 4 || surcharged(person) == on)
        return;
    surcharge_[static_cast<std::size_t>(person - 2)] = on;
    if (columnChanged)
        columnChanged(person);
    shokika();
}

void TaxSheet::setColumnName(int person, std::string name)
{
    if (person < 1 || person > 4 || columnName(person) == name)
        return;
    names_[static_cast<std::size_t>(person - 1)] = std::move(name);
    if (columnChanged)
        columnChanged(person);
}

bool TaxSheet::gotFocus(Field f)
{
    if (!isAmountField(f))
        return false;
    setText(f, formatInteger(kingaku(personOf(f), f.index)));
    return true;
}

void TaxSheet::lostFocus(Field f)
{
    if (!isAmountField(f))
        return;
    std::int32_t& stored = kingaku_[static_cast<std::size_t>(personOf(f) - 1)][static_cast<std::size_t>(f.index)];
    stored = amountValue(text(f));
    setText(f, formatGrouped(stored));
}

void TaxSheet::writeLabel(Label l, std::string text)
{
    labels_[static_cast<std::size_t>(labelSlot(l))] = std::move(text);
    if (labelChanged)
        labelChanged(l);
}

void TaxSheet::shokika()
{
    working_ = Working{};
    for (int i = 0; i < kAmountRows; ++i)
        for (int p = 1; p <= kPersons; ++p)
            writeLabel(personLabel(p, i), "0");
    for (int j = 0; j < 9; ++j)
        writeLabel(sheetLabel(j), "0");
}

void TaxSheet::keisan()
{
    auto fieldValue = [this](Field f) { return numericValue(text(f)); };
    working_ = Working{};
    Working& w = working_;
    using Stage = Working::Stage;

    // ① each person's taxable value, left to right in 32 bits.
    std::array<std::int32_t, kPersons> taxable{};
    for (int p = 1; p <= kPersons; ++p) {
        const auto& k = kingaku_[static_cast<std::size_t>(p - 1)];
        std::int32_t v = 0;
        for (std::size_t i = 0; i < k.size(); ++i)
            v = kAmountSign[i] > 0 ? add32(v, k[i]) : sub32(v, k[i]);
        taxable[static_cast<std::size_t>(p - 1)] = v;
        writeLabel(personLabel(p, PersonRow::Taxable), amountText(v));
    }
    w.taxable = taxable;
    w.reached = Stage::Taxable;

    // ② total taxable value.
    std::int32_t total = 0;
    for (const std::int32_t v : taxable)
        total = add32(total, v);
    writeLabel(kTotalTaxable.label, amountText(total));
    w.total = total;
    w.reached = Stage::Total;

    // ③ basic deduction.
    const std::int16_t heirs = toInt16(fieldValue(heirCountField()));
    const std::int32_t basic = basicDeduction(*law_, heirs);
    writeLabel(kBasicDeduction.label, amountText(basic));
    w.heirs = heirs;
    w.basic = basic;
    w.reached = Stage::Basic;

    // ④ taxable estate. Below the basic deduction no tax is due: 0, not a negative estate
    // that would turn into negative shares and taxes.
    std::int64_t excess = 0;
    const std::int32_t estate = taxableEstate(total, basic, &excess);
    writeLabel(kTaxableEstate.label, amountText(estate));
    w.excess = excess;
    w.estate = estate;
    w.reached = Stage::Estate;

    // Statutory shares of ④ and their tax, for the four persons with a share field.
    std::array<std::int32_t, kHeirsWithShare> shareTax{};
    for (int k = 0; k < kHeirsWithShare; ++k) {
        const double denominator = fieldValue(denominatorField(k));
        if (denominator == 0.0)
            continue;
        const std::int32_t share = statutoryShare(estate, fieldValue(numeratorField(k)), denominator);
        shareTax[static_cast<std::size_t>(k)] = tax::shareTax(share, *law_);
        writeLabel(personLabel(k + 1, PersonRow::Share), amountText(share));
        writeLabel(personLabel(k + 1, PersonRow::ShareTax), amountText(shareTax[static_cast<std::size_t>(k)]));
        const auto idx = static_cast<std::size_t>(k);
        w.hasShare[idx] = true;
        w.share[idx] = share;
        w.shareTax[idx] = shareTax[idx];
        w.quickRow[idx] = quickRowOf(share, *law_);
    }
    w.reached = Stage::Shares;

    // ⑤ total inheritance tax; the legatee has no share and never enters it.
    std::int32_t totalTax = 0;
    for (const std::int32_t t : shareTax)
        totalTax = add32(totalTax, t);
    writeLabel(kTotalTax.label, amountText(totalTax));
    w.totalTax = totalTax;
    w.reached = Stage::TotalTax;

    // Ratios all computed before any is shown, so a division by zero leaves them all unwritten.
    std::array<double, kPersons> ratio{};
    for (std::size_t p = 0; p < kPersons; ++p)
        ratio[p] = ratioOf(taxable[p], total);
    for (int p = 1; p <= kPersons; ++p)
        writeLabel(personLabel(p, PersonRow::Ratio), formatPlain(ratio[static_cast<std::size_t>(p - 1)]));
    w.ratio = ratio;
    w.reached = Stage::Ratios;

    std::array<double, kPersons> beforeAdjustment{};
    for (int p = 1; p <= kPersons; ++p) {
        const auto idx = static_cast<std::size_t>(p - 1);
        beforeAdjustment[idx] = mul(totalTax, ratio[idx]);
        writeLabel(personLabel(p, PersonRow::Before), amountText(beforeAdjustment[idx]));
    }
    w.before = beforeAdjustment;
    w.reached = Stage::Before;

    // Spouse's tax reduction.
    const std::int32_t spouse = taxable[0];
    if (spouse != 0) {
        const std::int32_t statutory = statutoryShare(total, fieldValue(numeratorField(0)), fieldValue(denominatorField(0)));
        const SpouseReduction r = spouseReduction(spouse, statutory, total, totalTax, beforeAdjustment[0], *law_);
        writeLabel(kSpouseReduction.label, r.reduced ? amountText(r.reduction) : "0");
        writeLabel(personLabel(1, PersonRow::Payable), r.reduced ? amountText(r.payable) : "0");
        w.statutory = statutory;
        w.lesser = r.lesser;
        w.limit = r.limit;
        w.reductionRatio = r.ratio;
        w.spouseReduced = r.reduced;
    }
    w.reached = Stage::Spouse;

    // Minors' deduction of heirs 2..4. The payable tax is taken with the deduction as its
    // label shows it, and a deduction above the tax leaves nothing to pay rather than a refund.
    for (int p = 2; p <= 4; ++p) {
        const Field years = yearsField(p);
        const Label deductionLabel = minorDeductionLabel(p);
        const Label payableLabel = personLabel(p, PersonRow::Payable);
        if (taxable[static_cast<std::size_t>(p - 1)] != 0) {
            const double deduction = minorDeduction(fieldValue(years), *law_);
            writeLabel(deductionLabel, formatPlain(deduction));
            double tax = beforeAdjustment[static_cast<std::size_t>(p - 1)];
            if (surcharged(p)) {
                w.surcharged[static_cast<std::size_t>(p - 2)] = true;
                tax = w.heirRaised[static_cast<std::size_t>(p - 2)] = raisedTax(tax);
            }
            writeLabel(payableLabel, amountText(heirPayable(tax, asLabelReads(deduction))));
        } else {
            // An input change like any other: it may wipe this run's results (see command4).
            setText(years, "0");
            writeLabel(deductionLabel, "0");
            writeLabel(payableLabel, "0");
        }
    }
    // The years reset above may have cleared the results and the figures with them: the
    // labels this run still writes are then no whole calculation to explain.
    const bool whole = w.reached != Stage::None;
    if (whole)
        w.reached = Stage::Heirs;

    // Legatee: 120 % of the tax before adjustments, capped at 70 % of its taxable value.
    const LegateeTax lt = legateeTax(taxable[kPersons - 1], beforeAdjustment[kPersons - 1]);
    writeLabel(personLabel(5, PersonRow::Payable), amountText(lt.payable));
    w.legateeCap = lt.cap;
    w.legateeRaised = lt.raised;
    if (whole)
        w.reached = Stage::Legatee;
}

std::string_view stopMessage(Failure why)
{
    return why == Failure::Range ? "金額が大きすぎるため計算できません。" : "";
}

std::string stopReason(const Working& w)
{
    using Stage = Working::Stage;
    switch (w.stopped) {
    case Failure::None: return {};
    case Failure::Range: return std::string(stopMessage(Failure::Range));
    case Failure::Undefined: break;
    }
    // The only divisions whose divisor a user can leave at 0: ② under the ratios, and the
    // spouse's denominator under the statutory share of the reduction.
    if (w.reached == Stage::TotalTax)
        return "課税価格の合計（②）が 0 のため、相続額比率（① ÷ ②）を計算できません。";
    if (w.reached == Stage::Before)
        return "配偶者の相続分の分母が空欄か 0 のため、配偶者の法定相続分（② × 相続分）を計算できません。";
    return "0 で割る計算があり、値が出ないため計算できません。";
}

Failure TaxSheet::command4()
{
    Failure stopped = Failure::None;
    for (int run = 0; run < 2; ++run) {
        try {
            keisan();
            stopped = Failure::None;
        } catch (const ArithmeticError& e) {
            // The results so far stay on the sheet; the second run stops at the same step.
            stopped = e.failure;
            working_.stopped = e.failure;
        }
    }
    return stopped;
}

void TaxSheet::click(ClearLabel label)
{
    switch (label) {
    case ClearLabel::Label7: break;
    case ClearLabel::Label19: clearPerson(1); break;
    case ClearLabel::Label20: clearPerson(2); break;
    case ClearLabel::Label21: clearPerson(3); break;
    case ClearLabel::Label22: clearPerson(4); break;
    case ClearLabel::Label16: clearPerson(5); break;
    case ClearLabel::Label13: clearShares(); break;
    case ClearLabel::Label14: clearMinorYears(); break;
    case ClearLabel::Label15: clearAll(); break;
    }
}

void TaxSheet::clearPerson(int person)
{
    if (person < 1 || person > kPersons)
        return;
    for (int i = 0; i < kAmountRows; ++i)
        setText(amountField(person, i), "0");
    kingaku_[static_cast<std::size_t>(person - 1)].fill(0);
    shokika();
}

void TaxSheet::clearShares()
{
    for (int k = 0; k < 5; ++k) {
        setText(numeratorField(k), "");
        setText(denominatorField(k), "");
    }
    shokika();
}

void TaxSheet::clearMinorYears()
{
    for (int p = 2; p <= 4; ++p)
        setText(yearsField(p), "0");
    shokika();
}

void TaxSheet::clearAll()
{
    for (int i = 0; i < kAmountRows; ++i)
        for (int p = 1; p <= kPersons; ++p)
            setText(amountField(p, i), "0");
    for (int k = 0; k < 5; ++k) {
        setText(numeratorField(k), "0");
        setText(denominatorField(k), "0");
    }
    for (int p = 2; p <= 4; ++p)
        setText(yearsField(p), "0");
    setText(heirCountField(), "0");
    for (int p = 2; p <= 4; ++p)
        setSurcharged(p, false);
    for (int p = 1; p <= 4; ++p)
        setColumnName(p, {});
    shokika();
    for (auto& row : kingaku_)
        row.fill(0);
}

} // namespace kz::tax
