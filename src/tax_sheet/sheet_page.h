// SPDX-License-Identifier: MIT
#pragma once
// The calculation sheet page (Picture3): the 44 entry fields, the result labels, the
// clearing labels and "納付税額計算", wired to a TaxSheet. It works on its own, so that
// other windows can build one offscreen and render parts of it.
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/sheet.h"
#endif

#include <QWidget>

#include <array>
#include <vector>

class QCheckBox;
class QLabel;

namespace kz::ui {
class ActionBox;
class CommandButton;
class EntryField;
} // namespace kz::ui

namespace kz::tax {

class LawChooser;

class SheetPage : public QWidget {
    Q_OBJECT
public:
    // The model must outlive the page.
    explicit SheetPage(TaxSheet& sheet, QWidget* parent = nullptr);
    ~SheetPage() override;

    kz::ui::EntryField* field(Field f) const;
    QLabel* resultLabel(Label l) const;
    // Empty for Label7, the "CE" heading.
    kz::ui::ActionBox* clearingLabel(ClearLabel c) const;
    kz::ui::CommandButton* Command4 = nullptr; // 納付税額計算
    LawChooser* Combo1 = nullptr;              // the law edition, over the heading's bracket
    QLabel* heading() const { return heading_; }
    // Beside the stated sheet: the 2割加算 marks of heirs 2..4, under ⑤.
    std::array<QCheckBox*, 3> surchargeBoxes{};

    // Puts the focus in a field as the user's own move would, with its arrival rules.
    void enterField(Field f);

    void Command4_Click();
    // What 納付税額計算 says when it stopped; nothing for a silent stop.
    void tellStop(std::string_view message);
    // The page shows this sheet, computed elsewhere, in place of its model's state.
    void adopt(const TaxSheet& computed);
    void Label_Click(ClearLabel label);
    void Combo1_Change(int index);

signals:
    // The sheet follows another law edition; its own captions already show it.
    void lawChanged();

private:
    void Num_Change(Field f);
    void Num_GotFocus(Field f);
    void Num_LostFocus(Field f);
    bool Num_KeyDown(Field f, int key);
    void Num_Enter(Field f);
    void moveFocus(const FocusTarget& target);

    void mirrorField(Field f);
    void mirrorLabel(Label l);
    void mirrorColumn(int person);
    void buildCaptions();
    void followLaw();

    TaxSheet& sheet_;
    std::array<kz::ui::EntryField*, kFieldCount> fields_{};
    std::array<QLabel*, kLabelCount> labels_{};
    std::array<kz::ui::ActionBox*, 9> clearing_{};
    QLabel* heading_ = nullptr;
    std::vector<QWidget*> captions_; // the fixed captions of the current law
};

} // namespace kz::tax
