// SPDX-License-Identifier: MIT
#pragma once
// What the study's window and its report both write: captions, shown amounts, table cells.
#ifndef Q_MOC_RUN
#include "core/second/study_figures.h"
#include "core/second/study_model.h"
#endif

#include <QString>
#include <QStringList>

namespace kz::second {

const char16_t* entryCaption(Entry e);

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
