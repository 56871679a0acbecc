// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "shell/window_setup.h"
#include "tax_sheet/form_souzoku.h"
#include "tax_sheet/law_chooser.h"
#include "tax_sheet/sheet_page.h"
#include "terms_help/form_szkaisetu.h"
#include "terms_help/page_items.h"
#include "terms_help/tab_dialog.h"
#include "ui/command_button.h"
#include "ui/window_registry.h"

#include <QAccessible>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>

using namespace Qt::StringLiterals;
using kz::terms::FormSZkaisetu;
using kz::terms::FractionLabel;
using kz::test::flushDeletes;
using kz::ui::WindowKind;

namespace {

QPoint px(int xTwips, int yTwips) { return {kz::twipsToPx(xTwips), kz::twipsToPx(yTwips)}; }

QString accessibleText(QObject* o, QAccessible::Text t)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(t) : QString();
}

// Only the page's own labels: not those of the other pages, whatever the nesting.
QList<QLabel*> labelsOn(QWidget* page) { return page->findChildren<QLabel*>(); }

QLabel* labelAt(QWidget* page, QPoint topLeft, const QString& text)
{
    for (QLabel* l : labelsOn(page))
        if (l->geometry().topLeft() == topLeft && l->text() == text)
            return l;
    return nullptr;
}

QLabel* labelAt(QWidget* page, QPoint topLeft)
{
    for (QLabel* l : labelsOn(page))
        if (l->geometry().topLeft() == topLeft && !l->text().isEmpty())
            return l;
    return nullptr;
}

} // namespace

class TermsHelpTest : public QObject {
    Q_OBJECT

    static FormSZkaisetu* open() { return kz::test::shownWindow<FormSZkaisetu>(WindowKind::TermsHelp); }

    static int openHelpWindows()
    {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<FormSZkaisetu*>(w) && w->isVisible())
                ++n;
        return n;
    }

private slots:
    void initTestCase() { kz::shell::registerWindows(); }

    void cleanup()
    {
        QApplication::closeAllWindows();
        flushDeletes();
    }

    void placement_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("expected");
        // Expected corners worked by hand: left = screen width - window width,
        // top = (screen height - window height) / 4.
        QTest::newRow("1920x1080") << QSize(1920, 1080) << QSize(601, 471) << QPoint(1319, 152);
        QTest::newRow("1024x768") << QSize(1024, 768) << QSize(601, 471) << QPoint(423, 74);
        QTest::newRow("800x600") << QSize(800, 600) << QSize(601, 471) << QPoint(199, 32);
        QTest::newRow("1366x768 framed") << QSize(1366, 768) << QSize(611, 501) << QPoint(755, 66);
        QTest::newRow("2560x1440") << QSize(2560, 1440) << QSize(601, 471) << QPoint(1959, 242);
        QTest::newRow("exact quarter") << QSize(1000, 871) << QSize(600, 471) << QPoint(400, 100);
        QTest::newRow("no free height") << QSize(1280, 471) << QSize(601, 471) << QPoint(679, 0);
        QTest::newRow("screen lower than window") << QSize(640, 480) << QSize(611, 501) << QPoint(29, 0); // title bar kept on screen
    }

    void placement()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, expected);
        const kz::Point p = kz::terms::helpWindowPosition({screen.width(), screen.height()},
                                                          {window.width(), window.height()});
        QCOMPARE(QPoint(p.x, p.y), expected);
        QCOMPARE(p.x + window.width(), screen.width()); // right edge on the screen's right edge
    }

    void openedWindowStandsWhereThePlacementSays()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        const QRect screen = w->screen()->geometry();
        const QSize outer = w->frameGeometry().size();
        const kz::Point p = kz::terms::helpWindowPosition({screen.width(), screen.height()},
                                                          {outer.width(), outer.height()});
        QCOMPARE(w->frameGeometry().topLeft(), screen.topLeft() + QPoint(p.x, p.y));
        QCOMPARE(w->frameGeometry().right(), screen.right());
    }

    void windowTitleSizeAndOwner()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), u"相続税の用語と解説"_s);
        QCOMPARE(w->size(), QSize(601, 471)); // 9015 x 7065 twips
        QVERIFY(w->isWindow());
        QVERIFY(!w->parentWidget());
        QVERIFY(!w->isModal());
        QCOMPARE(w->SSTab1->geometry(), QRect(0, 0, 601, 473));
    }

    void captionsInTwoRowsOfThree()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        const QStringList captions = {u"計算シートHELP"_s,     u"用語の解説"_s, u"相続時精算課税制度"_s,
                                      u"配偶者の税額の軽減"_s, u"遺言"_s,       u"代償分割と協議書"_s};
        QCOMPARE(w->SSTab1->count(), 6);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(w->SSTab1->tab(i)->text(), captions[i]);
            QCOMPARE(accessibleText(w->SSTab1->tab(i), QAccessible::Name), captions[i]);
            QVERIFY(w->SSTab1->tab(i)->isVisible());
        }
        for (int row = 0; row < 2; ++row)
            for (int col = 1; col < 3; ++col) {
                const QRect left = w->SSTab1->tab(row * 3 + col - 1)->geometry();
                const QRect right = w->SSTab1->tab(row * 3 + col)->geometry();
                QCOMPARE(right.top(), left.top());
                QCOMPARE(right.left(), left.right() + 1);
            }
        QVERIFY(w->SSTab1->tab(3)->geometry().top() > w->SSTab1->tab(0)->geometry().bottom());
        QCOMPARE(w->SSTab1->tab(2)->geometry().right(), w->SSTab1->width() - 1);
        // Every caption shows whole.
        for (int i = 0; i < 6; ++i)
            QVERIFY(w->SSTab1->tab(i)->sizeHint().width() <= w->SSTab1->tab(i)->width());
    }

    void firstPageAtOpening()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QCOMPARE(w->SSTab1->currentIndex(), 0);
        QVERIFY(w->SSTab1->tab(0)->isChecked());
        QVERIFY(w->SSTab1->page(0)->isVisible());
        for (int i = 1; i < 6; ++i)
            QVERIFY(!w->SSTab1->page(i)->isVisible());
    }

    void clickOnCaptionShowsItsPage_data()
    {
        QTest::addColumn<int>("index");
        for (int i : {3, 1, 5, 2, 4, 0})
            QTest::addRow("tab %d", i + 1) << i;
    }

    void clickOnCaptionShowsItsPage()
    {
        QFETCH(int, index);
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QSignalSpy changed(w->SSTab1, &kz::terms::TabDialog::currentChanged);
        QTest::mouseClick(w->SSTab1->tab(index), Qt::LeftButton);
        QCOMPARE(w->SSTab1->currentIndex(), index);
        QCOMPARE(changed.count(), index == 0 ? 0 : 1);
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(w->SSTab1->page(i)->isVisible(), i == index);
            QCOMPARE(w->SSTab1->tab(i)->isChecked(), i == index);
            QCOMPARE(QAccessible::queryAccessibleInterface(w->SSTab1->tab(i))->state().selected, i == index);
        }
        QVERIFY(w->Command1[static_cast<std::size_t>(index)]->isVisible());
    }

    void pageKeysCycleThroughPages()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        w->Command1[0]->setFocus();
        QTest::keyClick(w->Command1[0], Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 5);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w->SSTab1->currentIndex(), 4);

        // The Tab key reaches the strip once, at the selected caption; the arrows go round.
        w->Command1[4]->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), w->SSTab1->tab(4));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(QApplication::focusWidget(), w->SSTab1->tab(0));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), w->Command1[0]);

        QPointer<FormSZkaisetu> closing = w;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!closing || !closing->isVisible());
    }

    static kz::tax::FormSouzoku* openTaxWindow() { return kz::test::shownWindow<kz::tax::FormSouzoku>(WindowKind::TaxSheet); }

    void sheetHelpOpensTheWindowBesideTheSheet()
    {
        kz::tax::FormSouzoku* sheet = openTaxWindow();
        QVERIFY(sheet);
        QCOMPARE(sheet->Command3->text(), u"シートHELP"_s);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        auto* help = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(!help->parentWidget());
        QVERIFY(!help->isModal());
        QCOMPARE(help->SSTab1->currentIndex(), 0);
        // The sheet stays usable while the help is open.
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(sheet->isEnabled());
    }

    // Opened from a sheet under 令和6, page 3 adds the framed note of that law and page 1's
    // pictures show that sheet; the help follows the sheet back to the stated law while open.
    void helpFollowsTheSheetsLaw()
    {
        kz::tax::FormSouzoku* sheet = openTaxWindow();
        QVERIFY(sheet);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        auto* help = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(help);
        auto upperLabel = [&]() -> QLabel* {
            for (QLabel* l : labelsOn(help->SSTab1->page(0)))
                if (l->text().isEmpty())
                    return l;
            return nullptr;
        };
        auto upperPicture = [&] { return upperLabel()->pixmap().toImage(); };
        // Every text of pages 4 and 6, where the edition and the era are named.
        auto namedTexts = [&] {
            QString all;
            for (int page : {3, 5})
                for (QLabel* l : labelsOn(help->SSTab1->page(page)))
                    all += l->text();
            return all;
        };
        const QString statedTexts = namedTexts();
        const QImage stated = upperPicture();
        QVERIFY(!labelAt(help->SSTab1->page(2), px(240, 2400)));

        sheet->Picture3->Combo1->setCurrentIndex(1);
        QCOMPARE(&help->law(), &kz::tax::lawEditions()[1]);
        const QImage reiwa6 = upperPicture();
        QVERIFY(reiwa6 != stated); // its gift row reads "生前贈与加算額(＋)", and so says its description
        QVERIFY(accessibleText(upperLabel(), QAccessible::Description).contains(u"「生前贈与加算額(＋)」"_s));
        QLabel* note = labelAt(help->SSTab1->page(2), px(240, 2400));
        QVERIFY(note);
        QCOMPARE(note->frameShape(), QFrame::Box);
        for (const QString& figure : {u"令和6年1月1日現在"_s, u"60歳以上"_s, u"18歳以上の子・孫"_s, u"110万円"_s,
                                      u"2,500万円"_s, u"20％"_s})
            QVERIFY2(note->text().contains(figure), qPrintable(figure));
        for (const QString& named : {u"配偶者の税額の軽減 [令和6年1月1日現在法令等]"_s, u"（令和　　年　　月　　日死亡）"_s,
                                     u"　　令和　　年　　月　　日\n"_s})
            QVERIFY2(namedTexts().contains(named), qPrintable(named));
        QVERIFY(!namedTexts().contains(u"平成"_s));
        const QString conditions = labelAt(help->SSTab1->page(2), px(240, 960))->text();
        QVERIFY(conditions.contains(u"60歳以上の父母・祖父母"_s) && !conditions.contains(u"65歳"_s));

        // Closed and opened again from the same sheet, it starts under the sheet's law.
        help->close();
        flushDeletes();
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        help = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(help && labelAt(help->SSTab1->page(2), px(240, 2400)));

        sheet->Picture3->Combo1->setCurrentIndex(0);
        QVERIFY(!labelAt(help->SSTab1->page(2), px(240, 2400)));
        QCOMPARE(upperPicture(), stated);
        QCOMPARE(namedTexts(), statedTexts);
    }

    void twoPressesOfSheetHelpLeaveOneWindow()
    {
        kz::tax::FormSouzoku* sheet = openTaxWindow();
        QVERIFY(sheet);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        QWidget* first = kz::ui::openWindow(WindowKind::TermsHelp);
        QVERIFY(first);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        QCOMPARE(kz::ui::openWindow(WindowKind::TermsHelp), first);
        QCOMPARE(openHelpWindows(), 1);
    }

    void closingTheTaxWindowLeavesTheHelpOpen()
    {
        QPointer<kz::tax::FormSouzoku> sheet = openTaxWindow();
        QVERIFY(sheet);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        QPointer<FormSZkaisetu> help = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(help);
        help->SSTab1->setCurrentIndex(4);
        QTest::mouseClick(sheet->Command7, Qt::LeftButton);
        flushDeletes();
        QVERIFY(sheet.isNull());
        QVERIFY(!help.isNull());
        QVERIFY(help->isVisible());
        QCOMPARE(help->SSTab1->currentIndex(), 4);
        QCOMPARE(openHelpWindows(), 1);
    }

    void closeFromPage4ThenSheetHelpShowsPage1()
    {
        kz::tax::FormSouzoku* sheet = openTaxWindow();
        QVERIFY(sheet);
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        QPointer<FormSZkaisetu> help = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(help);
        QTest::mouseClick(help->SSTab1->tab(3), Qt::LeftButton);
        QTest::mouseClick(help->Command1[3], Qt::LeftButton);
        flushDeletes();
        QVERIFY(help.isNull());
        QTest::mouseClick(sheet->Command3, Qt::LeftButton);
        auto* again = qobject_cast<FormSZkaisetu*>(kz::ui::openWindow(WindowKind::TermsHelp));
        QVERIFY(again);
        QCOMPARE(again->SSTab1->currentIndex(), 0);
    }

    void twoOpeningsLeaveOneWindow()
    {
        FormSZkaisetu* first = open();
        QVERIFY(first);
        first->SSTab1->setCurrentIndex(2);
        FormSZkaisetu* second = open();
        QCOMPARE(second, first);
        QCOMPARE(openHelpWindows(), 1);
        // Showing it again brings the same window forward as it was.
        QCOMPARE(second->SSTab1->currentIndex(), 2);
    }

    void closingFromPage4ReopensOnPage1()
    {
        QPointer<FormSZkaisetu> w = open();
        QVERIFY(w);
        QTest::mouseClick(w->SSTab1->tab(3), Qt::LeftButton);
        QCOMPARE(w->SSTab1->currentIndex(), 3);
        QTest::mouseClick(w->Command1[3], Qt::LeftButton);
        flushDeletes();
        QVERIFY(w.isNull());
        QVERIFY(!kz::ui::openWindow(WindowKind::TermsHelp));
        FormSZkaisetu* again = open();
        QVERIFY(again);
        QCOMPARE(again->SSTab1->currentIndex(), 0);
        QVERIFY(again->SSTab1->page(0)->isVisible());
    }

    void eachCloseButtonCloses_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Command1(0)") << 0 << QRect(px(7200, 6240), QSize(89, 25));
        for (int i = 1; i < 6; ++i)
            QTest::addRow("Command1(%d)", i) << i << QRect(px(7320, 6480), QSize(89, 25));
    }

    void eachCloseButtonCloses()
    {
        QFETCH(int, index);
        QFETCH(QRect, geometry);
        QPointer<FormSZkaisetu> w = open();
        QVERIFY(w);
        kz::ui::CommandButton* button = w->Command1[static_cast<std::size_t>(index)];
        QCOMPARE(button->text(), u"閉じる"_s);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(button->parentWidget(), w->SSTab1->page(index));
        w->SSTab1->setCurrentIndex(index);
        QTest::mouseClick(button, Qt::LeftButton);
        flushDeletes();
        QVERIFY(w.isNull());
        QCOMPARE(openHelpWindows(), 0);
    }

    void enterOnCloseButtonCloses()
    {
        QPointer<FormSZkaisetu> w = open();
        QVERIFY(w);
        w->Command1[0]->setFocus();
        QTest::keyClick(w->Command1[0], Qt::Key_Return);
        flushDeletes();
        QVERIFY(w.isNull());
    }

    // Every single-line text of the pages, at its place.
    void fixedTexts_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("at");
        const struct {
            int page;
            const char16_t* text;
            int x, y;
        } rows[] = {
            {1, u"■使用方法　　太枠で囲んだところが入力場所です。", 240, 960},
            {1, u"手入力、Enterキー、↓、↑、←、→キーで移動します", 240, 1320},
            {1, u"相続放棄の相続人も含めた人数", 360 + 2760, 3600},
            {1, u"←相続分を入力", 360 + 2640, 3600 + 720},
            {1, u"（相続放棄をした相続人も設定する）", 360 + 2760, 3600 + 960},
            {1, u"←未成年者控除", 360 + 2760, 3600 + 1800},
            {1, u"年数を入力", 360 + 3000, 3600 + 2040},
            {1, u"法定相続分（民法900条）", 4680, 1320},
            {1, u"相続人", 4680, 1560},
            {1, u"法定相続分", 6615, 1560},
            {1, u"① 配偶者と子", 4740, 1860},
            {1, u"（子が複数の時は均分する）", 4740, 2100},
            {1, u"② 配偶者と直系尊属", 4740, 2700},
            {1, u"③ 配偶者と兄弟姉妹", 4740, 3540},
            {1, u"（兄弟姉妹が複数の時は均分する）", 4740, 3780},
            {1, u"←　例　：　配偶者、子1、子2（放棄）", 4560, 4560},
            {1, u"相続人1", 4680, 4920},
            {1, u"※法定相続分に上記の数値を設定する。", 4680, 5640},
            {1, u"納付税額計算", 480, 6240},
            {1, u"すべて入力してからこのボタンで計算します。", 360, 6720},
            {2, u"1、遺贈", 360, 960},
            {2, u"遺言によって財産を無償で譲り渡すこと。", 360, 1320},
            {2, u"2、みなし相続財産", 360, 1680},
            {2, u"3、非課税財産", 360, 3840},
            {3, u"■ 贈与をした場合", 240, 3600},
            {3, u"非課税額", 1200, 4200},
            {3, u"2,500万円", 1200, 4440},
            {3, u"贈与額：非課税範囲", 2640, 4320},
            {3, u"贈与額：非課税枠を超える", 2400, 3840},
            {3, u"一律20％の贈与額が課税される", 4800, 3840},
            {3, u"■ 相続が発生した場合", 240, 4920},
            {3, u"非課税範囲、課税範囲にかかわらず相続の課税価格に算入する", 4680, 5400},
            {3, u"■ すでに支払った贈与税はつぎの処理をする。", 2160, 6240},
            {3, u"納付税額（相続税）＝確定した相続税　－　支払済贈与税額", 2160, 6480},
            {4, u"配偶者の税額の軽減 [平成20年5月1日現在法令等]", 360, 840},
            {4, u"国税庁ホームページより抜粋", 4920, 6600},
        };
        for (const auto& r : rows)
            QTest::addRow("page %d %s", r.page, qPrintable(QString::fromUtf16(r.text)))
                << r.page << QString::fromUtf16(r.text) << px(r.x, r.y);
    }

    void fixedTexts()
    {
        QFETCH(int, page);
        QFETCH(QString, text);
        QFETCH(QPoint, at);
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QLabel* label = labelAt(w->SSTab1->page(page - 1), at, text);
        QVERIFY2(label, "no label with this text at this place");
        QCOMPARE(accessibleText(label, QAccessible::Name), text);
        w->SSTab1->setCurrentIndex(page - 1);
        QVERIFY(label->isVisible());
    }

    // Headed paragraphs: the heading first, then every given item and figure, in order.
    void paragraphs_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("headed"); // the first item is the paragraph's heading
        QTest::newRow("page 2 deemed property")
            << 2 << px(480, 2040)
            << QStringList{u"① 死亡保険金"_s, u"② 死亡退職金"_s, u"③ 生命保険契約に関する権利"_s,
                           u"④ 上記以外の一定の利益の享受"_s}
            << false;
        QTest::newRow("page 2 tax-free property")
            << 2 << px(360, 4200)
            << QStringList{u"①墓地、墓碑、仏壇・仏具など"_s, u"香典"_s, u"②生命保険の死亡保険金のうち一定額"_s,
                           u"500万円×法定相続人の数"_s, u"③死亡退職金のうち一定額"_s, u"500万円×法定相続人の数"_s}
            << false;
        QTest::newRow("page 3 settlement taxation")
            << 3 << px(240, 960)
            << QStringList{u"平成15年1月1日"_s, u"贈与時の価額"_s, u"1　"_s, u"65歳以上の親"_s, u"20歳以上の子"_s,
                           u"2　"_s, u"推定相続人"_s, u"直系卑属"_s, u"3　"_s, u"2,500万円"_s, u"一律20％"_s}
            << false;
        QTest::newRow("page 4 outline")
            << 4 << px(360, 1200)
            << QStringList{u"1　制度の概要\n"_s, u"(1) 1億6千万円"_s, u"(2) 配偶者の法定相続分相当額"_s,
                           u"隠ぺい又は仮装"_s, u"申告期限"_s, u"3年以内"_s, u"税務署長の承認"_s, u"4か月以内"_s}
            << true;
        QTest::newRow("page 4 procedure")
            << 4 << px(360, 4920)
            << QStringList{u"2　配偶者の税額軽減を受けるための手続\n"_s, u"戸籍謄本"_s, u"遺言書の写し"_s,
                           u"遺産分割協議書の写し"_s, u"印鑑証明書"_s, u"4か月以内"_s, u"更正の請求"_s}
            << true;
        QTest::newRow("page 5 wills")
            << 5 << px(360, 960)
            << QStringList{u"３種類の普通方式の遺言\n"_s, u"(1) 自筆証書遺言"_s, u"(2) 公正証書遺言"_s,
                           u"公証役場に保管"_s, u"(3) 秘密証書遺言"_s, u"(1)と(3)"_s, u"家庭裁判所の検認"_s, u"(2)の公正証書遺言"_s}
            << true;
        QTest::newRow("page 6 division")
            << 6 << px(240, 840)
            << QStringList{u"■代償分割\n"_s, u"代償金"_s, u"差し引き"_s, u"加えて"_s, u"■遺産分割協議書"_s,
                           u"平成　　年　　月　　日"_s, u"相続人Ｂ"_s, u"相続人Ｃ"_s, u"住所"_s, u"相続人　Ｂ"_s, u"印"_s,
                           u"相続人　Ｃ"_s, u"印"_s, u"相続人　Ｄ"_s, u"特別代理人　Ｓ"_s, u"印"_s}
            << true;
    }

    void paragraphs()
    {
        QFETCH(int, page);
        QFETCH(QPoint, at);
        QFETCH(QStringList, items);
        QFETCH(bool, headed);
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QLabel* label = labelAt(w->SSTab1->page(page - 1), at);
        QVERIFY2(label, "no paragraph at this place");
        QVERIFY(label->wordWrap());
        const QString text = label->text();
        if (headed)
            QVERIFY2(text.startsWith(items.first()), qPrintable(text.left(20)));
        qsizetype from = 0;
        for (const QString& item : items) {
            const qsizetype at = text.indexOf(item, from);
            QVERIFY2(at >= 0, qPrintable(u"missing or out of order: "_s + item));
            from = at + item.size();
        }
        QCOMPARE(accessibleText(label, QAccessible::Name), text);
    }

    // Each share fraction stands under the heir it belongs to.
    void fractions_data()
    {
        QTest::addColumn<QString>("heir");
        QTest::addColumn<QPoint>("heirAt");
        QTest::addColumn<QString>("numerator");
        QTest::addColumn<QString>("denominator");
        const struct {
            const char16_t* heir;
            int x, y;
            const char16_t *num, *den;
        } rows[] = {
            {u"配偶者", 6615, 1860, u"1", u"2"},      {u"子", 7582, 1860, u"1", u"2"},
            {u"配偶者", 6615, 2700, u"2", u"3"},      {u"直系尊属", 7582, 2700, u"1", u"3"},
            {u"配偶者", 6615, 3540, u"3", u"4"},      {u"兄弟姉妹", 7582, 3540, u"1", u"4"},
            {u"相続人1", 4680, 4920, u"1", u"2"},     {u"相続人2", 5970, 4920, u"1", u"4"},
            {u"相続人3", 7260, 4920, u"1", u"4"},
        };
        for (const auto& r : rows)
            QTest::addRow("%s %s/%s at %d", qPrintable(QString::fromUtf16(r.heir)),
                          qPrintable(QString::fromUtf16(r.num)), qPrintable(QString::fromUtf16(r.den)), r.y)
                << QString::fromUtf16(r.heir) << px(r.x, r.y) << QString::fromUtf16(r.num)
                << QString::fromUtf16(r.den);
    }

    void fractions()
    {
        QFETCH(QString, heir);
        QFETCH(QPoint, heirAt);
        QFETCH(QString, numerator);
        QFETCH(QString, denominator);
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QWidget* page = w->SSTab1->page(0);
        QLabel* head = labelAt(page, heirAt, heir);
        QVERIFY2(head, "no heir caption at this place");
        const FractionLabel* below = nullptr;
        for (const FractionLabel* f : page->findChildren<FractionLabel*>())
            if (f->geometry().top() >= head->geometry().bottom()
                && f->geometry().top() <= head->geometry().bottom() + 8
                && qAbs(f->geometry().center().x() - head->geometry().center().x()) <= 1)
                below = f;
        QVERIFY2(below, "no fraction under the caption");
        QCOMPARE(below->numerator(), numerator);
        QCOMPARE(below->denominator(), denominator);
        QCOMPARE(accessibleText(const_cast<FractionLabel*>(below), QAccessible::Name),
                 u"%1分の%2"_s.arg(denominator, numerator));
        // Both numbers and the rule fit the box: the rule sits between two full text lines.
        QVERIFY(below->height() >= 2 * below->fontMetrics().height() + 3);
    }

    void shareTableRowsAreFramed()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        QWidget* page = w->SSTab1->page(0);
        // The outer frame and the rules between the head and the three rows (855 high, one
        // pixel shared between neighbours).
        bool outer = false;
        // Down to the last row's bottom, 3480 + 855.
        const QRect table(px(4680, 1560), QSize(258, 185));
        for (QFrame* f : page->findChildren<QFrame*>())
            if (!qobject_cast<QLabel*>(f) && f->geometry() == table)
                outer = true;
        QVERIFY(outer);
        for (int y : {1800, 2640, 3480}) {
            bool rule = false;
            for (QWidget* c : page->findChildren<QWidget*>())
                if (c->geometry() == QRect(px(4680, y), QSize(258, 1)))
                    rule = true;
            QVERIFY2(rule, qPrintable(QString::number(y)));
        }
    }

    // Nothing is cut off: a wrapped text needs no more height than its label has, a single
    // line no more width, and every text stays on its page clear of the close button.
    void everyTextFitsItsPage_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("law"); // the law edition the help explains
        for (int i = 1; i <= 6; ++i)
            QTest::addRow("page %d", i) << i << 0;
        QTest::addRow("page 1 under 令和6") << 1 << 1;
        QTest::addRow("page 3 under 令和6") << 3 << 1;
    }

    void everyTextFitsItsPage()
    {
        QFETCH(int, page);
        QFETCH(int, law);
        FormSZkaisetu* w = open();
        QVERIFY(w);
        w->followLaw(kz::tax::lawEditions()[static_cast<std::size_t>(law)]);
        QWidget* p = w->SSTab1->page(page - 1);
        w->SSTab1->setCurrentIndex(page - 1);
        const QRect pageArea(0, w->SSTab1->tab(5)->geometry().bottom() + 1, w->SSTab1->width() - 2,
                             w->height() - w->SSTab1->tab(5)->geometry().bottom() - 2);
        const QRect close = w->Command1[static_cast<std::size_t>(page - 1)]->geometry();
        int texts = 0;
        for (QLabel* l : labelsOn(p)) {
            if (l->text().isEmpty())
                continue;
            ++texts;
            const QString what = l->text().left(16);
            kz::test::checkTextFits(l);
            QVERIFY2(pageArea.contains(l->geometry()), qPrintable(what));
            QVERIFY2(!l->geometry().intersects(close), qPrintable(what));
        }
        QVERIFY(texts > 0);
        // No two texts run into each other.
        QList<std::pair<QString, QRect>> inks;
        for (QLabel* l : labelsOn(p))
            if (!l->text().isEmpty())
                inks.append({l->text().left(12), kz::test::inkRect(l)});
        kz::test::checkApart(inks);
    }

    void picturesAreDescribed()
    {
        FormSZkaisetu* w = open();
        QVERIFY(w);
        int pictures = 0;
        for (QLabel* l : labelsOn(w->SSTab1->page(0))) {
            if (!l->text().isEmpty())
                continue;
            ++pictures;
            QVERIFY(!accessibleText(l, QAccessible::Name).isEmpty());
            QVERIFY(accessibleText(l, QAccessible::Description).contains(u"輪"_s));
        }
        QCOMPARE(pictures, 2);
    }
};

KZ_QTEST_MAIN(TermsHelpTest)
#include "terms_help_test.moc"
