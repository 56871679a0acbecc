// SPDX-License-Identifier: MIT
#include "tax_sheet/sheet_report.h"

#include "core/common/format.h"
#include "core/family/family_steps.h"
#include "core/tax_sheet/figures.h"
#include "tax_sheet/sheet_layout.h"
#include "core/tax_sheet/steps.h"
#include "ui/app.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kz::tax {
namespace {

using kz::ui::qs;

QString fieldText(const TaxSheet& s, Field f) { return qs(s.text(f)); }
QString labelText(const TaxSheet& s, Label l) { return qs(s.labelText(l)); }

// Each column's heading, with the person the family put there: "相続人 2\n長男".
QStringList personColumns(const TaxSheet& s, const QString& first)
{
    QStringList out{first};
    for (int p = 1; p <= kPersons; ++p) {
        const QString name = p < kPersons ? qs(s.columnName(p)) : QString();
        out << layout::columnHeading(p) + (name.isEmpty() ? QString() : u"\n"_s + name);
    }
    return out;
}

// The family and its judgement; nothing for a family the model refuses (it never fills one).
struct FamilyPart {
    std::optional<kz::family::Judgement> judgement;
    bool follows = false; // the sheet still holds what the family filled in
};

FamilyPart judged(const TaxSheet& s, const kz::family::Family* family)
{
    FamilyPart part;
    if (!family)
        return part;
    try {
        part.judgement = kz::family::judge(*family);
        part.follows = kz::family::sheetFollows(s, kz::family::sheetFill(*part.judgement));
    } catch (const kz::family::FamilyError&) {
        part.judgement.reset();
    }
    return part;
}

QString changedNote() { return u"※ シートの法定相続人数・相続分・２割加算は、家族から求めた値から変更されています。"_s; }

kz::report::Section familySection(const kz::family::Family& f)
{
    kz::report::Section section{u"家族"_s, {}};
    for (const kz::family::Member& m : kz::family::members(f))
        section.rows.append({QString(m.depth * 2, u'　') + qs(m.name), qs(m.standing)});
    return section;
}

kz::report::Table heirsTable(const kz::family::Judgement& j)
{
    kz::report::Table t{u"相続人と法定相続分"_s,
                        {u"名前"_s, u"続柄"_s, u"法定相続分"_s, u"根拠"_s, u"相続税の総額の計算上"_s, u"２割加算"_s}, {}, {}};
    auto taxShare = [&j](const std::string& name) {
        for (const kz::family::Heir& h : j.taxShares)
            if (h.name == name)
                return qs(kz::family::text(h.share));
        return u"－"_s;
    };
    for (const kz::family::Heir& h : j.heirs)
        t.rows.append({qs(h.name), qs(std::string(kz::family::relationWord(h.relation))), qs(kz::family::text(h.share)),
                       qs(kz::family::article(h, j.order)), taxShare(h.name), h.surcharge ? u"あり"_s : u"なし"_s});
    for (const kz::family::Renouncer& r : j.renounced)
        t.rows.append({qs(r.name), u"相続放棄"_s, u"－"_s, u"民法939条"_s, taxShare(r.name),
                       r.surcharge ? u"あり（遺贈）"_s : u"なし"_s});
    return t;
}

kz::report::Section inputs(const TaxSheet& s)
{
    kz::report::Section section{u"入力"_s, {}};
    section.rows.append({u"法定相続人数"_s, fieldText(s, heirCountField()) + u" 人"_s});
    for (int k = 0; k < 4; ++k) {
        const QString num = fieldText(s, numeratorField(k)), den = fieldText(s, denominatorField(k));
        const QString share = num.isEmpty() && den.isEmpty() ? u"（なし）"_s : num + u" / "_s + den;
        section.rows.append({u"法定相続分（"_s + layout::columnHeading(k + 1) + u"）"_s, share});
    }
    for (int p = 2; p <= 4; ++p)
        section.rows.append({QString::fromUtf16(yearsCaption(s.law())) + u"（"_s + layout::columnHeading(p) + u"）"_s,
                             fieldText(s, yearsField(p)) + u" 年"_s});
    return section;
}

kz::report::Table amounts(const TaxSheet& s)
{
    kz::report::Table t{u"各人の課税価格の算出（入力額）"_s, personColumns(s, u"項目"_s), {}, u"（単位：千円）"_s};
    for (int i = 0; i < kAmountRows; ++i) {
        QString caption = layout::amountCaption(i, s.law());
        if (i == 3 || i == 4)
            caption += u"(－)"_s; // the sheet's debt bracket says it once for both rows
        QStringList row{caption};
        for (int p = 1; p <= kPersons; ++p)
            row << qs(formatGrouped(s.kingaku(p, i)));
        t.rows.append(row);
    }
    return t;
}

kz::report::Table personResults(const TaxSheet& s)
{
    kz::report::Table t{u"各人の相続税額の算出（計算結果）"_s, personColumns(s, u"項目"_s), {}, u"（単位：千円、比率を除く）"_s};
    for (int i = 0; i < kAmountRows; ++i) {
        const auto r = static_cast<PersonRow>(i);
        if (r == PersonRow::Payable) {
            // The deductions the payable tax takes account of, on the sheet's own rows.
            QStringList minors{qs(kMinorDeduction.caption), QString()};
            for (int p = 2; p <= 4; ++p)
                minors << labelText(s, minorDeductionLabel(p));
            t.rows.append(minors << QString());
            // Heirs marked for the 2割加算: their raised tax, and the legatee's, as the steps work it.
            const Working& w = s.working();
            if (std::find(w.surcharged.begin(), w.surcharged.end(), true) != w.surcharged.end()) {
                QStringList raised{u"２割加算後の税額"_s, QString()};
                for (int p = 2; p <= 4; ++p)
                    raised << (w.surcharged[static_cast<std::size_t>(p - 2)]
                                   ? qs(formatGrouped(w.heirRaised[static_cast<std::size_t>(p - 2)]))
                                   : QString());
                raised << (w.taxable[kPersons - 1] != 0 ? qs(formatGrouped(w.legateeRaised)) : QString());
                t.rows.append(raised);
            }
        }
        // The legatee has no statutory share: the sheet shows no 相続額 or 相続税額 for it.
        const bool noShare = r == PersonRow::Share || r == PersonRow::ShareTax;
        QStringList row{qs(personFigure(r).caption)};
        for (int p = 1; p <= kPersons; ++p)
            row << (noShare && p == kPersons ? QString() : labelText(s, personLabel(p, r)));
        t.rows.append(row);
    }
    return t;
}

kz::report::Table totals(const TaxSheet& s)
{
    kz::report::Table t{u"課税価格の合計と相続税の総額"_s, {u"項目"_s, u"金額"_s}, {}, u"（単位：千円）"_s};
    for (const SheetFigure& f : kSheetFigures) {
        // ③'s formula is the law's; the report's table writes each formula close up.
        const QString caption = f.label == kBasicDeduction.label ? QString::fromUtf16(s.law().basicCaption).trimmed()
                                                                 : qs(f.caption) + qs(f.formula);
        t.rows.append({caption, labelText(s, f.label)});
    }
    return t;
}

} // namespace

QString emptyStepsHint() { return u"「納付税額計算」を押すと、ここに計算過程が表示されます。"_s; }

kz::report::Document sheetReport(const TaxSheet& s, const QDate& date, const kz::Steps& assets,
                                 const kz::family::Family* family)
{
    kz::report::Document doc;
    doc.title = u"相続税の試算"_s;
    doc.law = QString::fromUtf16(s.law().name);
    doc.date = date;
    doc.inputs = {inputs(s)};
    doc.tables = {amounts(s), totals(s), personResults(s)};
    doc.steps = kz::report::reportSteps(assets) + kz::report::reportSteps(calculationSteps(s));
    if (const FamilyPart part = judged(s, family); part.judgement) {
        doc.inputs.prepend(familySection(*family));
        doc.tables.prepend(heirsTable(*part.judgement));
        doc.steps = kz::report::reportSteps(kz::family::familySteps(*part.judgement, s.law())) + doc.steps;
        if (!part.follows)
            doc.tables.front().unit = changedNote();
    }
    doc.emptySteps = emptyStepsHint();
    doc.caveat = u"※ 計算シートでは受遺者の２割加算、配偶者の税額軽減、未成年者控除が計算できます。"
                 u"修正項目：２割加算、税額控除（贈与税額控除、配偶者の税額軽減、未成年者控除、障害者控除、相次相続控除、"
                 u"外国税額控除）があります。\nこのシートはあくまで概算ですので、申告は税理士にご相談ください。"_s;
    if (s.law().giftNote)
        doc.caveat += u'\n' + QString::fromUtf16(s.law().giftNote);
    return doc;
}

kz::report::StepsPage stepsPage(const TaxSheet& s, const kz::Steps& assets, const kz::family::Family* family)
{
    kz::report::StepsPage page{u"相続税の試算　"_s + QString::fromUtf16(s.law().name), {}, {}};
    const kz::Steps steps = calculationSteps(s);
    if (!assets.empty())
        page.groups.append({u"財産の内訳から"_s, kz::report::reportSteps(assets)});
    if (steps.empty())
        page.note = emptyStepsHint();
    else
        page.groups.append({QString(), kz::report::reportSteps(steps)});
    if (const std::string why = stopReason(s.working()); !why.empty())
        page.note = u"計算はここで止まりました："_s + qs(why);
    // The family first: who inherits and why, as the sheet was filled from it.
    if (const FamilyPart part = judged(s, family); part.judgement) {
        page.groups.prepend({u"相続人の判定"_s, kz::report::reportSteps(kz::family::familySteps(*part.judgement, s.law()))});
        if (!part.follows)
            page.note = changedNote() + (page.note.isEmpty() ? QString() : u"\n"_s + page.note);
    }
    return page;
}

QString reportRefusal(const TaxSheet& s, ReportUse use)
{
    if (s.resultsStand())
        return {};
    const QString press = use == ReportUse::Save ? u"納付税額計算を押してから保存してください。"_s
                                                 : u"納付税額計算を押してから印刷してください。"_s;
    const std::string why = stopReason(s.working());
    if (why.empty())
        return u"計算結果がありません。"_s + press;
    return u"計算が途中で止まったため、計算結果がありません。\n"_s + qs(why) + u"\n入力を直し、"_s + press;
}

} // namespace kz::tax
