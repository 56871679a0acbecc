// SPDX-License-Identifier: MIT
#pragma once
// What the study's window and its report both write: captions, shown amounts, table cells.
#ifndef Q_MOC_RUN
#include "core/second/study_model.h"
#endif

#include <QString>
#include <QStringList>

namespace kz::second {

const char16_t* entryCaption(Entry e);

struct FigureRow {
    const char16_t* caption;
    double Figures::*value;
};
inline constexpr FigureRow kFigureRows[] = {
    {u"一次相続　相続税の総額", &Figures::firstTax},
    {u"配偶者の税額軽減", &Figures::reduction},
    {u"配偶者の納付税額", &Figures::spousePays},
    {u"子の納付税額（合計）", &Figures::childrenPay},
    {u"受遺者の納付税額（２割加算）", &Figures::legateePays},
    {u"一次相続の納付税額", &Figures::firstPayable},
    {u"二次相続の課税価格", &Figures::secondEstate},
    {u"二次相続の基礎控除額", &Figures::secondDeduction},
    {u"二次相続　相続税の総額", &Figures::secondTax},
    {u"相次相続控除", &Figures::credit},
    {u"二次相続の納付税額", &Figures::secondPayable},
    {u"一次・二次の合計", &Figures::total},
};

// A figure to the 千円 as shown: "3,654".
QString shownAmount(double v);
// "最小 42.0 %", or the whole stretch where several shares cost the same least:
// "最小 0.0〜42.0 %" (ranges apart joined by "、"); percentages of `range`, the spouse's
// (E less a legatee's bequest).
QString minimumShares(const Optimum& best, std::int32_t range);
QStringList tableColumns();
// The answer in one sentence, above the figures and at the top of the report: the cheapest
// share, its total, and what it saves against the statutory share and the chosen one.
QString headline(const StudyForm& form);
// "最小 42.0 %" (the whole stretch of a tie), "法定相続分 50.0 %", the share, the first,
// second and total tax.
QStringList tableCells(const TableRow& row, const StudyForm& form);

} // namespace kz::second
