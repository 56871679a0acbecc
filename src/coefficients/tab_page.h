// SPDX-License-Identifier: MIT
#pragma once
#include "core/coefficients/tables.h"

#include <QWidget>

#include <array>

class QLineEdit;
namespace kz::ui {
class ActionBox;
class CommandButton;
} // namespace kz::ui

namespace kz::coef {

// The controls of the coefficient window that carry handlers, by the program's indices.
struct Controls {
    std::array<QLineEdit*, kFieldCount> Num1{}; // the input fields are kz::ui::EntryField
    std::array<kz::ui::CommandButton*, kCalcCount> calculate{}; // Command1, 2, 4, ... by calculation
    std::array<kz::ui::CommandButton*, kTabCount> close{};      // "閉じる" by tab
    std::array<kz::ui::ActionBox*, kCalcCount> Label2{};        // "CE"
    std::array<kz::ui::ActionBox*, kTabCount> Picture1{};       // printer icons
    // Beside the stated controls, per tab: the file commands, in the order of files::kCommands.
    std::array<std::array<kz::ui::CommandButton*, 5>, kTabCount> extra{};
};

QString tabCaption(int tab);

// One page of SSTab1, built from its layout table. The layout is in the tab control's
// coordinates, so the controls stand on a canvas that alignTo lines up with it once
// the tab control has placed its pages.
class TabPage : public QWidget {
public:
    TabPage(int tab, Controls& controls, QWidget* parent = nullptr);

    void alignTo(const QWidget* tabControl);

    // The Tab-key order of this page: each calculation's input fields, then its button,
    // the close button, and behind them the "CE" boxes, the printer icon and the commands
    // beside the stated ones.
    QList<QWidget*> tabOrder() const { return tabOrder_; }

private:
    QWidget* canvas_;
    QList<QWidget*> tabOrder_;
};

} // namespace kz::coef
