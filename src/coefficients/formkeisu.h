// SPDX-License-Identifier: MIT
#pragma once
#include "core/coefficients/calculator.h"
#include "coefficients/tab_page.h"
#ifndef Q_MOC_RUN
#include "file_commands/case_io.h"
#endif

#include <QWidget>


class QTabWidget;

namespace kz::files {
class FileCommands;
}

namespace kz::coef {

// "基本係数": six tabs of compound-interest calculations. Every rule lives in the
// Calculator; this window forwards the events of its controls to it and mirrors its texts.
//
// Tab order: on each tab the fields of each calculation top to bottom, then its button,
// "閉じる", then the "CE" boxes and the printer icon; result fields are left out. The window
// opens with the focus in Num1(0), its text selected.
class Formkeisu : public QWidget, public kz::files::CaseWindow {
    Q_OBJECT
public:
    explicit Formkeisu(QWidget* parent = nullptr);

    const Calculator& model() const { return model_; }

    QTabWidget* SSTab1 = nullptr;
    Controls controls;

    void Num1_GotFocus(int index);
    void Num1_LostFocus(int index);
    bool Num1_KeyDown(int index, int key);
    void Num1_Enter(int index); // Enter in Num1_KeyPress; the filter is the field's own
    void Command_Click(Calc c); // Command1, 2, 4, 5, 7, 8, 10, 11, 13
    void Label2_Click(int index);
    void Picture1_Click(int tab);

    kz::cases::FileCase fileCase() const override;
    bool holdsCalculatedCase() const override;
    void openCase(const kz::cases::FileCase& c) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wireField(int index);
    void wireCalculation(Calc c);
    void moveFocusTo(int field); // an input field, with its arrival rules
    void wireExtraCommands();

    Calculator model_;
    // Beside the stated commands, from any tab: the file commands (file_commands.h).
    kz::files::FileCommands* commands_ = nullptr;
    std::array<TabPage*, kTabCount> pages_{};
};

} // namespace kz::coef
