// SPDX-License-Identifier: MIT
// 相続人の判定 through the real windows: the first family of 国税庁 質疑応答事例 06/03 entered
// with the window's commands and check boxes, carried into the sheet, then 納付税額計算.
#include "window_driver.h"

#include "tax_sheet/family_window.h"
#include "tax_sheet/sheet_page.h"
#include "ui/command_button.h"
#include "ui/window_registry.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace kz::tax {

class FamilyWindowTest : public QObject {
    Q_OBJECT
    drive::Window w;
    FamilyWindow* family = nullptr;

    void choose(const QString& name)
    {
        QTreeWidgetItem* item = family->tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive).value(0);
        QVERIFY2(item, qPrintable(name));
        QTest::mouseClick(family->tree->viewport(), Qt::LeftButton, {}, family->tree->visualItemRect(item).center());
    }
    void command(const QString& text)
    {
        for (QPushButton* b : family->findChildren<QPushButton*>())
            if (b->text() == text)
                return w.click(b);
        QFAIL(qPrintable(text));
    }
    void addChild(const QString& under, const QString& name)
    {
        choose(under);
        command(u"子を追加"_s);
        drive::type(name); // the new person's default name is selected
    }

private slots:
    void the0603FamilyFillsTheSheet()
    {
        QVERIFY(w.open());
        for (const auto& [field, amount] : {std::pair{"Num2(0)", "100000"}, {"Num3(0)", "150000"}, {"Num4(0)", "50000"}}) {
            w.clickField(QString::fromLatin1(field));
            drive::type(QString::fromLatin1(amount));
        }
        w.click(w.form->findChild<QPushButton*>(u"FamilyCommand"_s));
        family = dynamic_cast<FamilyWindow*>(kz::ui::openWindow(kz::ui::WindowKind::TaxFamily));
        QVERIFY(family && QTest::qWaitForWindowExposed(family));

        addChild(u"子・孫"_s, u"丙"_s);
        addChild(u"子・孫"_s, u"戊"_s);
        w.click(family->marks[static_cast<std::size_t>(family::Mark::Grandchild)]);
        addChild(u"子・孫"_s, u"乙"_s);
        w.click(family->marks[static_cast<std::size_t>(family::Mark::Dead)]);
        addChild(u"乙"_s, u"丁"_s);
        choose(u"乙"_s);
        command(u"同一人を追加"_s);

        QStringList rows;
        for (int r = 0; r < family->result->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < family->result->columnCount(); ++c)
                cells << family->result->item(r, c)->text();
            rows << cells.join(u' ');
        }
        QCOMPARE(rows, QStringList({u"丙 子 1/3 33.33% 1/3 なし"_s, u"戊 養子・代襲相続人 1/2 50.00% 1/2 なし"_s,
                                    u"丁 代襲相続人 1/6 16.67% 1/6 なし"_s}));
        QVERIFY(family->summary->text().contains(u"法定相続人の数（相続税）：3 人"_s));

        // ② 300,000 − ③ 80,000 = ④ 220,000; 丙 73,333 × 0.3 − 7,000 = 15,000, 戊 110,000 × 0.4
        // − 17,000 = 27,000, 丁 36,667 × 0.2 − 2,000 = 5,333; ⑤ 47,333 × 0.33, 0.5, 0.17.
        w.click(family->applyButton);
        QCOMPARE(QStringList({w.text(u"Num6"_s), w.text(u"Num7(1)"_s), w.text(u"Num8(1)"_s), w.text(u"Num7(2)"_s),
                              w.text(u"Num8(2)"_s), w.text(u"Num7(3)"_s), w.text(u"Num8(3)"_s), w.text(u"Num8(0)"_s)}),
                 QStringList({u"3"_s, u"1"_s, u"3"_s, u"1"_s, u"2"_s, u"1"_s, u"6"_s, QString()}));
        QCOMPARE(QStringList({w.shown(u"LNum6(2)"_s), w.shown(u"LNum6(4)"_s), w.shown(u"LNum2(5)"_s),
                              w.shown(u"LNum3(5)"_s), w.shown(u"LNum4(5)"_s)}),
                 QStringList({u"80,000"_s, u"47,333"_s, u"15,620"_s, u"23,667"_s, u"8,047"_s}));
        const auto& boxes = w.form->Picture3->surchargeBoxes;
        QCOMPARE(boxes[1]->text(), u"相続人 3（戊）２割加算"_s);
        QVERIFY(!boxes[0]->isChecked() && !boxes[1]->isChecked() && !boxes[2]->isChecked());
    }

    void cleanupTestCase()
    {
        w.form.reset();
        kz::test::flushDeletes();
    }
};

} // namespace kz::tax

KZ_QTEST_MAIN(kz::tax::FamilyWindowTest)
#include "family_window_test.moc"
