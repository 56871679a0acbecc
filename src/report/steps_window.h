// SPDX-License-Identifier: MIT
#pragma once
// 計算過程: the steps of a window's last calculation as text a user can select and copy,
// one step a line, so that a screen reader reads it line by line. It belongs to the window
// it explains (a child window of it) and follows it: the window calls refresh() after a
// change, and several calls in one pass of the event loop make one update.
#include <QWidget>

#include <functional>

class QPlainTextEdit;

namespace kz::report {

class StepsWindow : public QWidget {
public:
    // `text` gives the whole text as it stands now.
    StepsWindow(const QString& title, std::function<QString()> text, QWidget* source);

    void refresh();
    QPlainTextEdit* view() const { return view_; }

private:
    void update();

    std::function<QString()> text_;
    QPlainTextEdit* view_;
    bool pending_ = false;
};

} // namespace kz::report
