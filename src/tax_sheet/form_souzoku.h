// SPDX-License-Identifier: MIT
#pragma once
// The tax window: the command column on the left and one page area on the right, where
// the calculation sheet and the procedures chart take turns.
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "file_commands/case_io.h"
#include "tax_sheet/case_reader.h"
#include "core/assets/sheet_fill.h"
#include "core/family/family.h"
#include "core/tax_sheet/sheet.h"
#include "tax_sheet/sheet_report.h"
#endif

#include <QWidget>

class QLabel;

namespace kz::files {
class FileCommands;
}
namespace kz::ui {
class ActionBox;
class CommandButton;
} // namespace kz::ui

namespace kz::tax {

class GiftTaxTable;
class ProceduresChart;
class SheetPage;

class FormSouzoku : public QWidget, public CaseSource, public kz::files::CaseWindow {
    Q_OBJECT
public:
    explicit FormSouzoku(QWidget* parent = nullptr);
    ~FormSouzoku() override;

    TaxSheet& sheet() { return sheet_; }

    QWidget* Picture1 = nullptr;          // command column
    ProceduresChart* Picture2 = nullptr;  // 相続開始後の手続き
    SheetPage* Picture3 = nullptr;        // the calculation sheet
    GiftTaxTable* Picture4 = nullptr;     // 贈与税の速算表
    kz::ui::ActionBox* Picture5 = nullptr; // printer icon
    kz::ui::CommandButton* Command1 = nullptr; // 相続開始後の手続き
    kz::ui::CommandButton* Command2 = nullptr; // 相続税計算シート
    kz::ui::CommandButton* Command3 = nullptr; // シートHELP
    kz::ui::CommandButton* Command4 = nullptr; // 納付税額計算, on the sheet page
    kz::ui::CommandButton* Command7 = nullptr; // 閉じる
    kz::ui::CommandButton* CommandNiji = nullptr; // 二次相続…, the last of extraCommands

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command7_Click();
    void CommandNiji_Click();
    void showAssets(); // 財産の内訳 (F6)
    kz::assets::SheetAssets& assets() { return assets_; }
    void sendCase(CaseReader& reader) override;
    void Picture5_Click();

    kz::cases::FileCase fileCase() const override;
    bool holdsCalculatedCase() const override;
    void openCase(const kz::cases::FileCase& c) override;
    void warnBeforeSave() override;
    // 相続人の判定… (F5): the family window; シートへ反映 there calls applyFamily.
    void showFamily();
    void applyFamily(const kz::family::Family& family);
    const std::optional<kz::family::Family>& family() const { return family_; }
    // Beside the stated commands, by object name: the file commands (file_commands.h) and
    // 二次相続… (F3).
    QList<kz::ui::CommandButton*> extraCommands;

private:
    void Form_Load();
    void followLaw();
    void showPage(QWidget* page, QWidget* parked);
    QWidget* addExtraCommands(); // returns the last in the Tab order
    bool refuseReport(ReportUse use);

    TaxSheet sheet_; // the sheet page refers to it; the destructor removes the page first
    kz::files::FileCommands* commands_ = nullptr;
    kz::assets::SheetAssets assets_; // the 財産の内訳 entries while the window is open
    std::optional<kz::family::Family> family_; // the family the sheet was last filled from
};

} // namespace kz::tax
