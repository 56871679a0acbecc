// SPDX-License-Identifier: MIT
// The study window through the sheet that opens it: the worked 1億円 family typed into the
// sheet, the figures after typing a share, and the button that moves to the optimum.
#include "qtest_support.h"

#include "report/output.h"
#include "second/form_niji_souzoku.h"
#include "second/study_report.h"
#include "second/study_chart.h"
#include "tax_sheet/form_souzoku.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/entry_field.h"
#include "ui/window_registry.h"

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>

using namespace Qt::StringLiterals;
using kz::second::Entry;

class StudyWindowTest : public QObject {
    Q_OBJECT
private slots:
    void fromSheetToOptimum()
    {
        kz::ui::registerWindow(kz::ui::WindowKind::SecondStudy, [] { return new kz::second::FormNijiSouzoku; });
        kz::ui::registerWindow(kz::ui::WindowKind::TaxSheet, [] { return new kz::tax::FormSouzoku; });
        auto& sheet = *static_cast<kz::tax::FormSouzoku*>(kz::ui::showWindow(kz::ui::WindowKind::TaxSheet));
        const auto closeSheet = qScopeGuard([&sheet] { sheet.close(); });
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.Command4->setFocus(); // no field under edit while the model is filled in
        kz::tax::TaxSheet& s = sheet.sheet();
        s.setLaw(kz::tax::lawEditions()[1]);
        for (const auto& [field, text] : {std::pair{kz::tax::amountField(1, 0), "40000"}, {kz::tax::amountField(2, 0), "30000"},
                                          {kz::tax::amountField(3, 0), "30000"}, {kz::tax::heirCountField(), "3"},
                                          {kz::tax::numeratorField(0), "1"}, {kz::tax::denominatorField(0), "2"},
                                          {kz::tax::numeratorField(1), "1"}, {kz::tax::denominatorField(1), "4"},
                                          {kz::tax::numeratorField(2), "1"}, {kz::tax::denominatorField(2), "4"}}) {
            s.setText(field, text);
            s.lostFocus(field);
        }
        QTest::keyClick(&sheet, Qt::Key_F3); // the key of "二次相続…" (the screen reader's check presses the button)
        auto* w = dynamic_cast<kz::second::FormNijiSouzoku*>(kz::ui::openWindow(kz::ui::WindowKind::SecondStudy));
        QVERIFY(w && QTest::qWaitForWindowExposed(w));
        const auto texts = [w] {
            QStringList t;
            for (const Entry e : {Entry::Estate, Entry::Children, Entry::Share, Entry::Percent})
                t << w->field(e)->text();
            return t << w->figure(5)->text() << w->figure(10)->text() << w->figure(11)->text();
        };
        QCOMPARE(texts(), (QStringList{u"100000"_s, u"2"_s, u"40,000"_s, u"40.00"_s, u"3,780"_s, u"0"_s, u"3,780"_s}));
        QCOMPARE(w->firstLaw->currentIndex(), 1); // E has the focus on arrival, so it shows raw
        QVERIFY(w->source->text().startsWith(u"相続税計算シートから取り込み "_s));
        // A later change on the sheet reaches the study only through シートから取り込む.
        s.setText(kz::tax::amountField(3, 0), "50000");
        s.lostFocus(kz::tax::amountField(3, 0));
        QCOMPARE(w->field(Entry::Estate)->text(), u"100000"_s);
        QTest::mouseClick(w->retakeButton, Qt::LeftButton);
        QCOMPARE(w->field(Entry::Estate)->text(), u"120,000"_s);
        s.setText(kz::tax::amountField(3, 0), "30000");
        s.lostFocus(kz::tax::amountField(3, 0));
        QTest::mouseClick(w->retakeButton, Qt::LeftButton);

        w->field(Entry::Share)->setFocus(Qt::TabFocusReason); // arrives with the whole text selected
        kz::test::typeText(w->field(Entry::Share), u"100000"_s);
        kz::test::press(Qt::Key_Return);
        QCOMPARE(kz::test::focused(), w->field(Entry::Percent));
        QCOMPARE(texts(), (QStringList{u"100,000"_s, u"2"_s, u"100,000"_s, u"100.00"_s, u"0"_s, u"7,700"_s, u"7,700"_s}));
        kz::test::typeText(w->field(Entry::Percent), u"50"_s); // the share follows its percentage
        QCOMPARE(texts(), (QStringList{u"100,000"_s, u"2"_s, u"50,000"_s, u"50"_s, u"3,150"_s, u"800"_s, u"3,950"_s}));

        // The answer in a sentence: 3,950 at the statutory (and chosen) half, 3,628 at 43 %.
        QCOMPARE(w->headline->text(), u"最も少ない割合：43.0 %（43,000千円）　合計 3,628千円 — 法定相続分（50.0 %）より 322千円少ない、"
                                      u"選んだ割合（50.0 %）より 322千円少ない"_s);
        QTest::mouseClick(w->bestButton, Qt::LeftButton);
        // The children's ratios step by 0.01: at 43,000 each has 0.28 of ⑤ (1,764) and G is 100.
        QCOMPARE(texts(), (QStringList{u"100,000"_s, u"2"_s, u"43,000"_s, u"43.00"_s, u"3,528"_s, u"100"_s, u"3,628"_s}));
        QVERIFY(w->headline->text().endsWith(u"、選んだ割合（43.0 %）と同じ"_s));
        QCOMPARE(w->table->item(11, 0)->text() + w->table->item(11, 4)->text(), u"法定相続分 50.0 %3,950"_s);
        QCOMPARE(w->table->item(12, 0)->text() + w->table->item(12, 4)->text(), u"最小 43.0 %3,628"_s);
        kz::test::press(Qt::Key_Tab); // the table is reached by the keyboard, after the button
        QCOMPARE(kz::test::focused(), w->table);

        // The report carries the figures, the chart's minimum, the table and the steps.
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"study.pdf"_s);
        QVERIFY(kz::report::savePdf(kz::second::studyReport(w->form(), *w->chart, QDate(2026, 12, 7)), pdf));
        QProcess text;
        text.start(u"pdftotext"_s, {u"-layout"_s, pdf, u"-"_s});
        QVERIFY(text.waitForFinished(30'000));
        const QString read = QString::fromUtf8(text.readAllStandardOutput()).simplified();
        for (const QString& shown : {u"[令和6年1月1日現在法令等]"_s, u"最小 43.0 % 3,628千円"_s, u"最小 43.0 % 43,000 3,528 100 3,628"_s,
                                     u"1,764 + 1,764 = 3,528千円"_s, u"計算シートの家族（配偶者と子2人）で試算しています。"_s,
                                     u"令和8年12月7日"_s})
            QVERIFY2(read.contains(shown), qPrintable(shown));

        // Its own 計算過程 (F2), its key named in the tooltip; Esc closes it, then the study.
        QCOMPARE(w->stepsButton->toolTip(), u"計算過程（F2）"_s);
        QTest::keyClick(w, Qt::Key_F2);
        auto* steps = w->findChild<QTextEdit*>(u"StepsText"_s);
        QVERIFY(steps && steps->window()->isVisible());
        QVERIFY(steps->toPlainText().contains(u"一次・二次の合計\n式　一次相続の納付税額 + 二次相続の納付税額\n3,528 + 100\n= 3,628千円"_s));
        const QPointer<QWidget> stepsWindow = steps->window();
        stepsWindow->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), stepsWindow.data());
        QTest::keyClick(steps, Qt::Key_Escape);
        QTRY_VERIFY(!stepsWindow || !stepsWindow->isVisible());
        QVERIFY(w->isVisible());
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w));
        w->field(Entry::Share)->setFocus();
        const QPointer<QWidget> study = w;
        QTest::keyClick(w->field(Entry::Share), Qt::Key_Escape);
        QTRY_VERIFY(!study || !study->isVisible());
    }

    // A tie shows its whole stretch and the button keeps the chosen share inside it; the
    // value axis of an empty and of a small study reads whole, distinct 千円.
    void tiesAndAxis_data()
    {
        QTest::addColumn<int>("estate");
        QTest::addColumn<int>("share");
        QTest::addColumn<QString>("minimum"); // the table's 最小 row
        QTest::addColumn<int>("chosen");      // the share after 最も少ない割合にする
        QTest::addColumn<int>("largest");     // the largest total tax, which the axis reaches
        QTest::newRow("empty") << 0 << 0 << u"最小 0.0 %"_s << 0 << 0;
        // 令和6, 2 children: under both basic deductions (48,000 and 42,000) every share costs 0.
        QTest::newRow("every share costs 0") << 40000 << 30000 << u"最小 0.0〜100.0 %"_s << 30000 << 0;
        // Shares up to 42,000 (99.3 %) cost 0; the whole 42,300 leaves 300: 15 + 15 = 30 at most.
        QTest::newRow("largest total 30") << 42300 << 42300 << u"最小 0.0〜99.3 %"_s << 42000 << 30;
    }
    void tiesAndAxis()
    {
        QFETCH(int, estate);
        QFETCH(int, share);
        QFETCH(QString, minimum);
        QFETCH(int, chosen);
        QFETCH(int, largest);
        kz::second::FormNijiSouzoku w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        kz::second::StudyInput in{estate, 2, share};
        in.law = &kz::tax::lawEditions()[1];
        w.form().setInput(in);
        const int last = w.table->rowCount() - 2;
        QCOMPARE(w.table->item(last, 0)->text(), minimum);
        QVERIFY(w.headline->text().startsWith(u"最も少ない割合："_s + minimum.mid(3)));
        QTest::mouseClick(w.bestButton, Qt::LeftButton);
        QCOMPARE(w.form().input().spouseShare, chosen);
        QStringList labels = w.chart->axisLabels();
        QVERIFY2(labels.removeDuplicates() == 0 && labels.size() >= 2, qPrintable(labels.join(u' ')));
        QVERIFY(QString(labels.last()).remove(u',').toInt() >= largest);
    }

    // A sheet the study cannot follow is said so with its reason, and the study opens on its
    // own only when asked, saying so above its figures; a legatee stays the legatee, with its
    // 2割加算 on its own line as the sheet has it.
    void familyOfTheSheet()
    {
        using namespace kz::tax;
        kz::ui::registerWindow(kz::ui::WindowKind::SecondStudy, [] { return new kz::second::FormNijiSouzoku; });
        FormSouzoku sheet;
        sheet.show();
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        sheet.Command4->setFocus();
        TaxSheet& s = sheet.sheet();
        s.setLaw(lawEditions()[1]);
        const auto type = [&s](std::initializer_list<std::pair<Field, const char*>> fields) {
            for (const auto& [field, text] : fields) {
                s.setText(field, text);
                s.lostFocus(field);
            }
        };
        type({{amountField(2, 0), "50000"}, {amountField(3, 0), "50000"}, {heirCountField(), "2"},
              {numeratorField(1), "1"}, {denominatorField(1), "2"}, {numeratorField(2), "1"}, {denominatorField(2), "2"}});
        const auto seen = kz::test::answerNextMessageBox(QMessageBox::Yes);
        QTest::keyClick(&sheet, Qt::Key_F3);
        auto* w = dynamic_cast<kz::second::FormNijiSouzoku*>(kz::ui::openWindow(kz::ui::WindowKind::SecondStudy));
        QVERIFY(w && seen->shown);
        QVERIFY2(seen->text.contains(u"配偶者がいない"_s), qPrintable(seen->text));
        QTRY_VERIFY(w->familyNote->isVisible());
        QVERIFY(w->familyNote->text().startsWith(u"計算シートの家族ではありません（配偶者がいない"_s));

        type({{amountField(1, 0), "100000"}, {amountField(2, 0), "60000"}, {amountField(3, 0), "40000"}, {amountField(5, 0), "20000"},
              {heirCountField(), "3"}, {numeratorField(0), "1"}, {denominatorField(0), "2"}, {denominatorField(1), "4"},
              {denominatorField(2), "4"}});
        sheet.Command4->click();
        sheet.activateWindow(); // F3 is the sheet's key
        QVERIFY(QTest::qWaitForWindowActive(&sheet));
        QTest::keyClick(&sheet, Qt::Key_F3);
        QCOMPARE(w->familyNote->text(), u"計算シートの家族（配偶者と子2人、受遺者）で試算しています。子の取得額は計算シートの割合で分けます。"_s);
        QCOMPARE(w->figure(4)->text(), kz::ui::qs(s.labelText(personLabel(5, 5))));
        QCOMPARE(w->field(Entry::Share)->text(), u"100,000"_s);
        w->close();
    }

    // On a real screen smaller than the window (the small-screen table runs this at 1366 x 768
    // at 125 %, 1280 x 720 and 1024 x 600) the window lies inside the available area, and each
    // control that Tab reaches comes wholly into sight, over no other.
    void fitsASmallScreen()
    {
        if (qEnvironmentVariableIsEmpty("KZ_SMALL_SCREEN"))
            QSKIP("run by the small-screen table");
        kz::second::FormNijiSouzoku w;
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QVERIFY(w.screen()->availableGeometry().contains(w.frameGeometry()));
        QList<QWidget*> reached;
        w.field(Entry::Estate)->setFocus(Qt::TabFocusReason);
        while (!reached.contains(kz::test::focused())) {
            QWidget* f = reached.emplace_back(kz::test::focused());
            QApplication::processEvents();
            const QRect at(f->mapTo(&w, QPoint()), f->size());
            QVERIFY2(f->visibleRegion().boundingRect() == f->rect(), qPrintable(f->objectName()));
            for (QWidget* other : reached.first(reached.size() - 1))
                QVERIFY2(!at.intersects(QRect(other->mapTo(&w, QPoint()), other->size())),
                         qPrintable(f->objectName() + u" over "_s + other->objectName()));
            kz::test::press(Qt::Key_Tab);
        }
        for (QWidget* c : w.findChildren<QWidget*>())
            if ((c->focusPolicy() & Qt::TabFocus) && c->isVisibleTo(&w) && c->isEnabled() && !c->focusProxy())
                QVERIFY2(reached.contains(c), qPrintable(c->objectName() + u' ' + QString::fromLatin1(c->metaObject()->className())));
    }
};

KZ_QTEST_MAIN(StudyWindowTest)
#include "study_window_test.moc"
