// SPDX-License-Identifier: MIT
#pragma once
// The study as a report: its inputs, the figures for the chosen share, the table of
// shares, the chart and the steps, for the PDF file, the preview and the printer.
#include "report/report.h"

namespace kz::second {

class StudyChart;
class StudyForm;

// The chart draws itself on the page when the pages are made: it must outlive them.
kz::report::Document studyReport(const StudyForm& form, const StudyChart& chart, const QDate& date);

// The 計算過程 window's page: the steps for the chosen share.
kz::report::StepsPage studyStepsPage(const StudyForm& form);

} // namespace kz::second
