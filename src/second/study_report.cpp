// SPDX-License-Identifier: MIT
#include "second/study_report.h"

#include "core/common/format.h"
#include "second/study_chart.h"
#include "core/second/study_model.h"
#include "core/second/study_steps.h"
#include "second/study_texts.h"
#include "ui/app.h"

using namespace Qt::StringLiterals;

namespace kz::second {
namespace {

// "[令和6年1月1日現在法令等]", or both editions where the second inheritance has its own.
QString lawLine(const StudyInput& in)
{
    const QString first = QString::fromUtf16(in.law->name);
    if (in.secondLaw && in.secondLaw != in.law)
        return u"一次相続 "_s + first + u"　二次相続 "_s + QString::fromUtf16(in.secondLaw->name);
    return first;
}

} // namespace

kz::report::Document studyReport(const StudyForm& form, const StudyChart& chart, const QDate& date)
{
    using kz::ui::qs;
    const StudyInput& in = form.input();
    kz::report::Document doc;
    doc.title = u"二次相続シミュレーション"_s;
    doc.law = lawLine(in);
    doc.date = date;
    doc.headline = headline(form);

    kz::report::Section inputs{u"条件"_s, {}};
    for (int i = 0; i < kEntryCount; ++i)
        inputs.rows.append({QString::fromUtf16(entryCaption(static_cast<Entry>(i))), qs(form.text(static_cast<Entry>(i)))});
    if (!form.note().empty())
        inputs.rows.append({u"家族"_s, qs(form.note())});
    doc.inputs.append(inputs);

    kz::report::Table figures{u"選んだ割合の税額"_s, {u"項目"_s, u"金額"_s}, {}, u"（単位：千円）"_s, true};
    for (const StudyFigure& row : kStudyFigures)
        figures.rows.append({qs(row.caption), shownAmount(form.figures().*(row.value))});
    doc.tables.append(figures);

    kz::report::Table shares{u"配偶者の取得割合ごとの税額"_s, tableColumns(), {}, u"（単位：千円）"_s, true};
    for (const TableRow& row : form.table())
        shares.rows.append(tableCells(row, form));
    doc.tables.append(shares);

    doc.figures.append({u"税額のグラフ（一次相続・二次相続・合計、千円）"_s, 90,
                        [&chart](QPainter& p, const QRectF& area) { chart.paintChart(p, area, true); }});

    doc.steps = kz::report::reportSteps(studySteps(in, form.figures()));
    doc.caveat = u"※ 一次相続は計算シートと同じ規則（相続額比率、配偶者の税額軽減、未成年者控除、受遺者の２割加算）で計算します。"
                 u"子の取得額は、計算シートから開いたときはシートの額の割合で、単独のときは等分に分けます。"
                 u"二次相続は一次相続から配偶者が取得した財産と固有財産のみで計算した概算です。"_s;
    return doc;
}

kz::report::StepsPage studyStepsPage(const StudyForm& form)
{
    const StudyInput& in = form.input();
    return {u"二次相続シミュレーション　"_s + lawLine(in), {{QString(), kz::report::reportSteps(studySteps(in, form.figures()))}},
            {}};
}

} // namespace kz::second
