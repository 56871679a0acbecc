// SPDX-License-Identifier: MIT
#pragma once
// "二次相続シミュレーション": the study beside the tax sheet. Entry fields and drop-downs on
// the left with the figures for the chosen share, the chart and the table on the right.
#ifndef Q_MOC_RUN
#include "file_commands/case_io.h"
#include "file_commands/file_commands.h"
#include "core/second/study_model.h"
#include "tax_sheet/case_reader.h"
#endif

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLayout;
class QTableWidget;

namespace kz::ui {
class CommandButton;
class EntryField;
} // namespace kz::ui

namespace kz::second {

class StudyChart;

class FormNijiSouzoku : public QWidget, public tax::CaseReader, public kz::files::CaseWindow {
    Q_OBJECT
public:
    explicit FormNijiSouzoku(QWidget* parent = nullptr);
    ~FormNijiSouzoku() override;

    // The sheet's current case (fromSheet); a case the study cannot follow is said so, and
    // the study opens on its own only if the user wants it.
    void takeCase(const tax::TaxSheet& sheet) override;

    StudyForm& form() { return form_; }
    kz::ui::EntryField* field(Entry e) const { return fields_[static_cast<std::size_t>(e)]; }
    QLabel* figure(int index) const { return figures_.at(static_cast<std::size_t>(index)); }

    StudyChart* chart = nullptr;
    QTableWidget* table = nullptr;
    QLabel* headline = nullptr; // the answer in a sentence, above the figures
    QLabel* source = nullptr;   // "相続税計算シートから取り込み 14:05"
    kz::ui::CommandButton* retakeButton = nullptr; // シートから取り込む
    QComboBox* firstLaw = nullptr;
    QLabel* familyNote = nullptr; // whose family the figures are of
    kz::ui::CommandButton* bestButton = nullptr; // 最も少ない割合にする
    kz::ui::CommandButton* stepsButton = nullptr; // 計算過程, F2: the first of the file commands

    void retakeCase(); // the sheet's case as it stands now
    kz::cases::FileCase fileCase() const override;
    bool holdsCalculatedCase() const override;
    void openCase(const kz::cases::FileCase& c) override;

private:
    QWidget* buildInputs();
    QWidget* buildResults();
    QLayout* buildCommands();
    void mirror(Entry e);
    void showResults();

    StudyForm form_;
    bool retaking_ = false; // シートから取り込む: a refused family leaves the study open
    std::array<kz::ui::EntryField*, kEntryCount> fields_{};
    std::array<QComboBox*, 2> laws_{}; // the first inheritance's law, the second's
    kz::files::FileCommands* commands_ = nullptr;
    std::array<kz::ui::CommandButton*, std::size(kz::files::kCommands)> commandButtons_{};
    kz::ui::CommandButton* closeButton_ = nullptr;
    std::vector<QLabel*> figures_;
};

} // namespace kz::second
