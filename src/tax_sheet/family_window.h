// SPDX-License-Identifier: MIT
#pragma once
// 相続人の判定: the family as a tree, each person's marks as check boxes, and beside it who
// inherits at what share, the count for the tax and the basic deduction, worked out again at
// every change. シートへ反映 hands the family to the sheet, which fills itself from it.
#ifndef Q_MOC_RUN
#include "core/family/family_model.h"
#include "core/family/family_steps.h"
#endif

#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kz::ui {
class CommandButton;
}

namespace kz::tax {

class FamilyWindow : public QWidget {
    Q_OBJECT
public:
    // `apply` carries the family into the sheet; it is only offered for a family that fits.
    FamilyWindow(const family::Family& start, std::function<void(const family::Family&)> apply,
                 QWidget* parent = nullptr);

    family::FamilyModel& model() { return model_; }
    void followLaw(const LawEdition& law) { model_.setLaw(law); }

    QTreeWidget* tree = nullptr;
    QLineEdit* nameEdit = nullptr;
    std::array<QCheckBox*, family::kMarkCount> marks{};
    QTableWidget* result = nullptr;
    QLabel* summary = nullptr;
    QLabel* message = nullptr;
    kz::ui::CommandButton* applyButton = nullptr; // シートへ反映

    // The person shown in the tree and the details, if any.
    void select(const family::Place& place);
    std::optional<family::Place> selected() const;

private:
    void add(const std::optional<family::Place>& place);
    void rebuild();
    void showPerson();
    void showResult();
    QTreeWidgetItem* item(const family::Person& p, const family::Place& place, QTreeWidgetItem* parent);

    family::FamilyModel model_;
    std::function<void(const family::Family&)> apply_;
    std::size_t member_ = 0; // the next line of family::members() while the tree is built
    std::vector<family::Member> members_;
};

} // namespace kz::tax
