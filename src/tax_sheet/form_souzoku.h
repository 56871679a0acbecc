// SPDX-License-Identifier: MIT
#pragma once
// The tax window: the command column on the left and one page area on the right, where
// the calculation sheet and the procedures chart take turns.
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "report/case_io.h"
#include "tax_sheet/case_reader.h"
#include "core/assets/sheet_fill.h"
#include "core/tax_sheet/sheet.h"
#include "tax_sheet/sheet_report.h"
#endif

#include <QWidget>

class QLabel;

namespace kz::ui {
class ActionBox;
class CommandButton;
} // namespace kz::ui

namespace kz::tax {

class GiftTaxTable;
class ProceduresChart;
class SheetPage;

class FormSouzoku : public QWidget, public CaseSource, public kz::report::CaseWindow {
    Q_OBJECT
public:
    explicit FormSouzoku(QWidget* parent = nullptr);
    ~FormSouzoku() override;

    TaxSheet& sheet() { return m_sheet; }

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
    kz::assets::SheetAssets& assets() { return m_assets; }
    void sendCase(CaseReader& reader) override;
    void Picture5_Click();

    // Beside the stated commands: the steps window (F2), the report as PDF (Ctrl+S) and
    // in a print preview (Ctrl+P).
    void showSteps();
    void saveReport();
    bool refuseReport(ReportUse use);
    void previewReport();
    // The case in a file: 保存… (Ctrl+Shift+S) and 開く… (Ctrl+O).
    void saveCase();
    void openFile();
    kz::cases::FileCase fileCase() const override;
    bool holdsCalculatedCase() const override;
    void openCase(const kz::cases::FileCase& c) override;
    // The commands in the free band of the command column, by object name.
    QList<kz::ui::CommandButton*> extraCommands;

private:
    void Form_Load();
    void followLaw();
    void showPage(QWidget* page, QWidget* parked);
    QWidget* addExtraCommands(); // returns the last in the Tab order
    void refreshSteps();

    TaxSheet m_sheet; // the sheet page refers to it; the destructor removes the page first
    kz::assets::SheetAssets m_assets; // the 財産の内訳 entries while the window is open
    QString m_client; // お客様名 for its reports, kept while the window is open and nowhere else
};

} // namespace kz::tax
