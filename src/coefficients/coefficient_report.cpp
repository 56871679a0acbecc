// SPDX-License-Identifier: MIT
#include "coefficients/coefficient_report.h"

#include "core/coefficients/steps.h"
#include "coefficients/tab_page.h"
#include "ui/app.h"

using namespace Qt::StringLiterals;

namespace kz::coef {
namespace {

using kz::ui::qs;

QString caption(const FieldInfo& f) { return qs(f.caption).remove(u'\u3000').remove(u' '); }

// "終価係数：元利合計の計算".
QString title(int tab, Calc c) { return tabCaption(tab) + u"："_s + qs(calc(c).name) + u"の計算"_s; }

QString emptyHint() { return u"「計　算」を押すと、ここに各タブの最後の計算の過程が表示されます。"_s; }

} // namespace

kz::report::Document coefficientReport(const Calculator& c, const QDate& date)
{
    kz::report::Document doc;
    doc.title = u"係数計算の試算"_s;
    doc.date = date;
    kz::report::Table results{u"計算結果"_s, {u"計算"_s, u"結果"_s}, {}, {}};
    for (int tab = 0; tab < kTabCount; ++tab) {
        const auto& run = c.lastRun(tab);
        if (!run)
            continue;
        const CalcInfo& ci = calc(run->calc);
        kz::report::Section section{title(tab, run->calc), {}};
        for (int f = ci.first; f <= ci.last; ++f) {
            const FieldInfo& info = field(f);
            if (info.kind == FieldKind::Result)
                results.rows.append({title(tab, run->calc) + u"　"_s + caption(info), qs(c.text(f)) + qs(info.unit)});
            else
                section.rows.append({caption(info), qs(c.text(f)) + u' ' + qs(info.unit)});
        }
        doc.inputs.append(section);
        for (const kz::Step& step : calculationSteps(c, tab))
            doc.steps.append({tabCaption(tab) + u"　"_s + qs(step.caption), qs(step.words), qs(step.numbers),
                              qs(step.result + step.unit)});
    }
    if (!results.rows.isEmpty())
        doc.tables.append(results);
    doc.emptySteps = emptyHint();
    doc.caveat = u"※ 年利率と年数を一定とし、複利で計算した試算です。実際の運用成果や返済額を約束するものではありません。"_s;
    return doc;
}

kz::report::StepsPage stepsPage(const Calculator& c)
{
    kz::report::StepsPage page{u"係数計算の試算"_s, {}, {}};
    for (int tab = 0; tab < kTabCount; ++tab)
        if (const auto& run = c.lastRun(tab))
            page.groups.append({title(tab, run->calc), kz::report::reportSteps(calculationSteps(c, tab))});
    if (page.groups.isEmpty())
        page.note = emptyHint();
    return page;
}

} // namespace kz::coef
