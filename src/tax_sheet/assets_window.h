// SPDX-License-Identifier: MIT
#pragma once
// "財産の内訳": the client's assets beside the tax sheet. One table of items (person, kind,
// amount, ㎡, date) and one of persons with the six amounts worked out as the items change;
// シートへ反映 writes them into the sheet's columns and computes. The rules are the assets
// model's; this window only reads its cells into the entries and shows what comes back.
#ifndef Q_MOC_RUN
#include "core/assets/sheet_fill.h"
#endif

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace kz::ui {
class CommandButton;
}

namespace kz::tax {

class AssetsWindow : public QWidget {
    Q_OBJECT
public:
    // `onFilled` runs after シートへ反映 wrote the sheet: the sheet window mirrors and explains.
    AssetsWindow(TaxSheet& sheet, kz::assets::SheetAssets& assets, std::function<void()> onFilled,
                 QWidget* parent = nullptr);

    QLineEdit* deathField = nullptr;
    QLineEdit* heirsField = nullptr;
    QLabel* heirsSource = nullptr; // "シートの法定相続人数" when the sheet has one
    QTableWidget* persons = nullptr;
    QTableWidget* items = nullptr;
    QLabel* lawNote = nullptr; // "令和6年の法令等　金額は千円"
    QLabel* areaUse = nullptr; // "使用 …㎡ / 限度 …㎡" per rule
    QLabel* message = nullptr; // what the model refuses, or what was written
    kz::ui::CommandButton* addButton = nullptr;
    kz::ui::CommandButton* removeButton = nullptr;
    kz::ui::CommandButton* fillButton = nullptr; // シートへ反映
    kz::ui::CommandButton* closeButton = nullptr;

    void addItem();
    void removeItem();
    void fillSheet();
    // The sheet follows another law: its rules and the note change at once, not at the next edit.
    void followLaw() { refresh(); }

private:
    void load();     // the entries into the cells
    void readBack(); // the cells into the entries, then refresh
    void refresh();  // the worked amounts, the area rules, the message
    void setItemRow(int row, const kz::assets::ItemTexts& item);
    void enableCells(int row);

    TaxSheet& sheet_;
    kz::assets::SheetAssets& assets_;
    std::function<void()> onFilled_;
    bool loading_ = false;
};

} // namespace kz::tax
