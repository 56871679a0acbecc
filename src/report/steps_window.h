// SPDX-License-Identifier: MIT
#pragma once
// 計算過程: the steps of a window's last calculation laid out as the report lays them out
// (caption, the formula in words, the formula with the figures and the result aligned at
// the right), as text a user can select and copy. It belongs to the window it explains (a
// child window of it) and follows it: the window calls refresh() after a change, and
// several calls in one pass of the event loop make one update. Esc closes it.
#include "report/report.h"

#include <QWidget>

#include <functional>

class QTextEdit;

namespace kz::report {

class StepsWindow : public QWidget {
public:
    // `page` gives the steps as they stand now.
    StepsWindow(const QString& title, std::function<StepsPage()> page, QWidget* source);

    void refresh();
    QTextEdit* view() const { return view_; }

private:
    void update();

    std::function<StepsPage()> page_;
    QTextEdit* view_;
    QString shown_;
    bool pending_ = false;
};

// The page as rich text: one table, a row for each line of a step, the results in a column
// of their own that never wraps, so that a result cannot break from its "=".
QString stepsHtml(const StepsPage& page);

} // namespace kz::report
