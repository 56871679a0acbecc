// SPDX-License-Identifier: MIT
#pragma once
// "二次相続シミュレーション": the study beside the tax sheet. Entry fields and drop-downs on
// the left with the figures for the chosen share, the chart and the table on the right.
#ifndef Q_MOC_RUN
#include "report/case_io.h"
#include "core/second/study_model.h"
#include "tax_sheet/case_reader.h"
#endif

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QTableWidget;

namespace kz::ui {
class CommandButton;
class EntryField;
} // namespace kz::ui

namespace kz::second {

class StudyChart;

class FormNijiSouzoku : public QWidget, public tax::CaseReader, public kz::report::CaseWindow {
    Q_OBJECT
public:
    explicit FormNijiSouzoku(QWidget* parent = nullptr);
    ~FormNijiSouzoku() override;

    // The sheet's current case (fromSheet); a case the study cannot follow is said so, and
    // the study opens on its own only if the user wants it.
    void takeCase(const tax::TaxSheet& sheet) override;

    StudyForm& form() { return m_form; }
    kz::ui::EntryField* field(Entry e) const { return m_fields[static_cast<std::size_t>(e)]; }
    QLabel* figure(int index) const { return m_figures.at(static_cast<std::size_t>(index)); }

    StudyChart* chart = nullptr;
    QTableWidget* table = nullptr;
    QLabel* headline = nullptr; // the answer in a sentence, above the figures
    QLabel* source = nullptr;   // "相続税計算シートから取り込み 14:05"
    kz::ui::CommandButton* retakeButton = nullptr; // シートから取り込む
    QComboBox* firstLaw = nullptr;
    QComboBox* secondLaw = nullptr;
    QLabel* familyNote = nullptr; // whose family the figures are of
    kz::ui::CommandButton* bestButton = nullptr; // 最も少ない割合にする
    kz::ui::CommandButton* stepsButton = nullptr;   // 計算過程, F2
    kz::ui::CommandButton* saveButton = nullptr;    // PDFに保存…, Ctrl+S
    kz::ui::CommandButton* previewButton = nullptr; // 印刷プレビュー…, Ctrl+P
    kz::ui::CommandButton* openButton = nullptr;     // 開く…, Ctrl+O
    kz::ui::CommandButton* saveCaseButton = nullptr; // 保存…, Ctrl+Shift+S
    kz::ui::CommandButton* closeButton = nullptr;

    void showSteps();
    void retakeCase(); // the sheet's case as it stands now
    void saveReport();
    void previewReport();
    void saveCase();
    void openFile();
    kz::cases::FileCase fileCase() const override;
    bool holdsCalculatedCase() const override;
    void openCase(const kz::cases::FileCase& c) override;

private:
    void mirror(Entry e);
    void showResults();

    StudyForm m_form;
    bool m_retaking = false; // シートから取り込む: a refused family leaves the study open
    QString m_client; // お客様名 for its reports, kept while the window is open and nowhere else
    std::array<kz::ui::EntryField*, kEntryCount> m_fields{};
    std::vector<QLabel*> m_figures;
};

} // namespace kz::second
