// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "report/report.h"
#include "shell/formmenu.h"
#include "shell/frm_about.h"
#include "shell/window_setup.h"
#include "terms_help/form_szkaisetu.h"
#include "terms_help/tab_dialog.h"
#include "ui/command_button.h"
#include "ui/focus_frame.h"
#include "ui/window_registry.h"

#include <QAbstractButton>
#include <QDateEdit>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using kz::shell::Formmenu;
using kz::shell::frmAbout;
using kz::ui::WindowKind;

class ShellTest : public QObject {
    Q_OBJECT

    QPointer<Formmenu> menu;

    static QList<QWidget*> visibleWindowsTitled(const QString& title)
    {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == title)
                found << w;
        return found;
    }

    // The contrast ratio of two colours by their relative luminance (sRGB).
    static double contrast(QRgb a, QRgb b)
    {
        auto lum = [](QRgb c) { return 0.2126 * std::pow(qRed(c) / 255.0, 2.2) + 0.7152 * std::pow(qGreen(c) / 255.0, 2.2)
                                       + 0.0722 * std::pow(qBlue(c) / 255.0, 2.2); };
        return (std::max(lum(a), lum(b)) + 0.05) / (std::min(lum(a), lum(b)) + 0.05);
    }

private slots:
    void initTestCase() { kz::shell::registerWindows(); }

    void init()
    {
        menu = kz::test::shownWindow<Formmenu>(WindowKind::Menu);
        QVERIFY(menu);
    }

    void cleanup()
    {
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::closeAllWindows();
        kz::test::flushDeletes();
    }

    void clockText_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<QString>("text");
        QTest::newRow("evening") << QTime(21, 5, 3) << u"21:05:03"_s;
        QTest::newRow("morning") << QTime(9, 5, 3) << u"09:05:03"_s;
        QTest::newRow("before midnight") << QTime(23, 59, 59) << u"23:59:59"_s;
        QTest::newRow("midnight, a second after 23:59:59") << QTime(0, 0, 0) << u"00:00:00"_s;
        QTest::newRow("noon") << QTime(12, 0, 0) << u"12:00:00"_s;
    }

    void clockText()
    {
        QFETCH(QTime, time);
        QFETCH(QString, text);
        QCOMPARE(Formmenu::clockText(time), text);
    }

    void clockSetAtStartAndTicks()
    {
        const QTime shown = QTime::fromString(menu->Label1->text(), u"HH:mm:ss"_s);
        QVERIFY(shown.isValid());
        QVERIFY(qAbs(shown.secsTo(QTime::currentTime())) <= 2);
        QCOMPARE(menu->Timer1->interval(), 1000);
        QVERIFY(menu->Timer1->isActive());
        const QString before = menu->Label1->text();
        QTRY_VERIFY_WITH_TIMEOUT(menu->Label1->text() != before, 2500);
    }

    void menuLayout()
    {
        QCOMPARE(menu->size(), QSize(115, 264));
        QCOMPARE(menu->pos(), QPoint(0, 0));
        QVERIFY(menu->windowTitle().trimmed().isEmpty());
        QVERIFY(menu->windowHandle()->title().trimmed().isEmpty());
        QVERIFY(!(menu->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(menu->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(menu->palette().color(QPalette::Window), QColor(192, 255, 255));

        const struct { QWidget* w; QString caption; QRect rect; } rows[] = {
            {menu->Command1, u"相続税計算"_s, {8, 16, 97, 25}},
            {menu->Command4, u"係数計算"_s, {8, 56, 97, 25}},
            {menu->Command6, u"About"_s, {8, 136, 97, 25}},
            {menu->Command8, u"終 了"_s, {8, 224, 97, 25}},
            {menu->DTPicker1, QString(), {8, 172, 97, 17}},
            {menu->Label1, QString(), {8, 197, 97, 17}},
        };
        for (const auto& r : rows) {
            QCOMPARE(r.w->geometry(), r.rect);
            if (auto* b = qobject_cast<QPushButton*>(r.w))
                QCOMPARE(b->text(), r.caption);
        }
        QCOMPARE(menu->Label1->alignment(), Qt::AlignCenter);
        QCOMPARE(menu->DTPicker1->date(), QDate::currentDate());
        QVERIFY(menu->DTPicker1->calendarPopup());
    }

    // Reports carry the menu's date, written in its era; a date before 昭和 is not taken, and
    // with the menu gone they carry today's. Era boundaries: 昭和 1926-12-25, 平成 1989-01-08,
    // 令和 2019-05-01.
    void reportDateFromTheMenu()
    {
        const struct { QDate picked, kept; QString written; } rows[] = {
            {{1926, 12, 24}, {1926, 12, 25}, u"昭和元年12月25日"_s},
            {{1989, 1, 7}, {1989, 1, 7}, u"昭和64年1月7日"_s},
            {{1989, 1, 8}, {1989, 1, 8}, u"平成元年1月8日"_s},
            {{2019, 4, 30}, {2019, 4, 30}, u"平成31年4月30日"_s},
            {{2019, 5, 1}, {2019, 5, 1}, u"令和元年5月1日"_s},
        };
        for (const auto& r : rows) {
            menu->DTPicker1->setDate(r.picked);
            QCOMPARE(kz::report::reportDate(), r.kept);
            QCOMPARE(kz::report::eraDate(kz::report::reportDate()), r.written);
        }
        QCOMPARE(kz::report::eraDate(QDate(1926, 12, 24)), QString());
        delete menu;
        QCOMPARE(kz::report::reportDate(), QDate::currentDate());
    }

    // A calculator's 計算過程 goes with its window, and so does what makes one: asked for by
    // its kind once the window is gone, none is made of the freed window (ASan would stop on it).
    void stepsWindowGoesWithItsWindow()
    {
        const std::pair<WindowKind, WindowKind> kinds[] = {{WindowKind::TaxSheet, WindowKind::TaxSteps},
                                                           {WindowKind::Coefficients, WindowKind::CoefficientSteps},
                                                           {WindowKind::SecondStudy, WindowKind::StudySteps}};
        for (const auto& [kind, steps] : kinds) {
            QWidget* w = kz::test::shownWindow(kind);
            QTest::keyClick(w, Qt::Key_F2);
            QVERIFY(kz::ui::openWindow(steps) && kz::ui::openWindow(steps)->isVisible());
            w->close();
            kz::test::flushDeletes();
            QVERIFY(!kz::ui::openWindow(steps));
            QVERIFY(!kz::ui::showWindow(steps));
        }
    }

    void focusAndTabOrder()
    {
        QCOMPARE(QApplication::focusWidget(), menu->Command1);
        const QList<QWidget*> order = {menu->Command4, menu->Command6, menu->Command8};
        for (QWidget* next : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(menu->DTPicker1->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == menu->DTPicker1);
    }

    void secondPressRaisesTheSameWindow()
    {
        QTest::mouseClick(menu->Command4, Qt::LeftButton);
        QTest::mouseClick(menu->Command4, Qt::LeftButton);
        QCOMPARE(visibleWindowsTitled(u"基本係数"_s).size(), 1);
        QTRY_COMPARE(QApplication::activeWindow(), visibleWindowsTitled(u"基本係数"_s).first());
    }

    void allWindowsOpenTogetherAndMenuStaysUsable()
    {
        QTest::mouseClick(menu->Command1, Qt::LeftButton);
        QTest::mouseClick(menu->Command4, Qt::LeftButton);
        QTest::mouseClick(menu->Command6, Qt::LeftButton);
        QCOMPARE(visibleWindowsTitled(u"相続税計算シート"_s).size(), 1);
        QCOMPARE(visibleWindowsTitled(u"基本係数"_s).size(), 1);
        QCOMPARE(visibleWindowsTitled(u"ﾊﾞｰｼﾞｮﾝ情報"_s).size(), 1);
        QVERIFY(!QApplication::activeModalWidget());
        // Enter on a focused menu button presses it, with the other windows open.
        menu->activateWindow();
        menu->Command4->setFocus();
        QTest::keyClick(menu->Command4, Qt::Key_Return);
        QTRY_COMPARE(QApplication::activeWindow(), visibleWindowsTitled(u"基本係数"_s).first());
    }

    void endClosesEveryWindowWithoutAsking()
    {
        QTest::mouseClick(menu->Command1, Qt::LeftButton);
        QTest::mouseClick(menu->Command4, Qt::LeftButton);
        QTest::mouseClick(menu->Command6, Qt::LeftButton);
        QTest::mouseClick(menu->Command8, Qt::LeftButton);
        QVERIFY(!QApplication::activeModalWidget());
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->windowTitle()));
    }

    void closingTheMenuLeavesTheCalculatorsOpen()
    {
        QTest::mouseClick(menu->Command1, Qt::LeftButton);
        QVERIFY(menu->close());
        kz::test::flushDeletes();
        QCOMPARE(visibleWindowsTitled(u"相続税計算シート"_s).size(), 1);
        QVERIFY(!kz::ui::openWindow(WindowKind::Menu)); // the menu itself is gone, not just hidden
    }

    void aboutBox()
    {
        QTest::mouseClick(menu->Command6, Qt::LeftButton);
        auto* about = qobject_cast<frmAbout*>(kz::ui::openWindow(WindowKind::About));
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about));
        QCOMPARE(about->windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_s);
        QCOMPARE(about->size(), QSize(382, 237));
        QVERIFY(about->testAttribute(Qt::WA_QuitOnClose));
        QCOMPARE(about->lblTitle->text(), u"Kazenoha　　相続税、係数計算"_s);
        QCOMPARE(about->lblVersion->text(), u"Ver 1.0.0.0"_s);
        QCOMPARE(about->lblDescription->text(), u"相続税額を算出して、各種営業に役立てていただくソフトです。\n"_s);
        QCOMPARE(QFontInfo(about->lblTitle->font()).family(), u"IPAPGothic"_s);
        QCOMPARE(about->lblTitle->font().pointSizeF(), 9.75);
        QCOMPARE(about->cmdOK->geometry(), QRect(283, 192, 92, 23));
        QVERIFY(about->cmdOK->isDefault());
        QCOMPARE(QApplication::focusWidget(), about->cmdOK);

        const QRect screen = about->screen()->geometry();
        const QSize outer = about->frameGeometry().size();
        QCOMPARE(about->frameGeometry().left(), (screen.width() - outer.width()) / 2);
        QCOMPARE(about->frameGeometry().top(), (screen.height() - outer.height()) / 3);
    }

    void aboutClosesOnEnterAndEsc_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void aboutClosesOnEnterAndEsc()
    {
        QFETCH(int, key);
        QPointer<QWidget> about = kz::ui::showWindow(WindowKind::About);
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QTRY_VERIFY(!about || !about->isVisible());
        // A closed box is destroyed; the next one is created anew.
        QTRY_VERIFY(!kz::ui::openWindow(WindowKind::About));
    }

    // A window closed but not yet destroyed counts as gone: a click in the same pass opens
    // a new one, which stays when the old one is deleted.
    void openingRightAfterACloseGivesAWindowThatStays()
    {
        QPointer<QWidget> first = kz::test::shownWindow(WindowKind::Coefficients);
        QVERIFY(first);
        first->close();
        QPointer<QWidget> second = kz::ui::showWindow(WindowKind::Coefficients);
        kz::test::flushDeletes();
        QVERIFY(!first);
        QVERIFY(second && second->isVisible());
        QCOMPARE(kz::ui::openWindow(WindowKind::Coefficients), second.data());
    }

    void standardButtonsSpeakJapanese()
    {
        auto seen = kz::test::answerNextMessageBox(QMessageBox::No);
        QMessageBox::question(menu, u"印刷"_s, u"?"_s, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(seen->shown);
        QVERIFY2(seen->buttons.join(u' ').contains(u"はい"_s), qPrintable(seen->buttons.join(u' ')));
        QVERIFY(seen->buttons.join(u' ').contains(u"いいえ"_s));
    }

    void japaneseFontIsAvailable()
    {
        QCOMPARE(QFontInfo(QApplication::font()).family(), u"IPAPGothic"_s);
        QVERIFY(QFontMetrics(QApplication::font()).inFont(QChar(u'相')));
    }

    // A large application font, as a desktop may set, reaches no window: each keeps the font
    // its layout was drawn for, and no caption, number, button or tab is cut.
    void windowsKeepTheirFontUnderALargeApplicationFont()
    {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSizeF(14);
        QApplication::setFont(large);
        const auto restore = qScopeGuard([&] { QApplication::setFont(before); });
        for (const WindowKind kind : {WindowKind::Menu, WindowKind::About, WindowKind::TaxSheet,
                                      WindowKind::Coefficients, WindowKind::TermsHelp}) {
            QWidget* window = kz::ui::showWindow(kind);
            QVERIFY(QTest::qWaitForWindowExposed(window));
            // The first button made is a stated one (the tax sheet's smaller added commands come last).
            QCOMPARE(window->findChildren<QPushButton*>().constFirst()->font().pointSizeF(), 9.0);
            QCOMPARE(kz::test::cutTexts(window).join(u" / "_s), QString());
        }
    }

    // The focused tab of the coefficient window's strip and of the help window shows the focus
    // frame, and, as drawn, every pixel of it stands out by 3 : 1 from every pixel beside it
    // that is not of the frame, under a light and a dark palette.
    void focusedTabsShowTheFrame()
    {
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        for (const QPalette& palette : {QApplication::style()->standardPalette(), dark}) {
            QApplication::setPalette(palette);
            for (const WindowKind kind : {WindowKind::Coefficients, WindowKind::TermsHelp}) {
                QWidget* window = kz::ui::showWindow(kind);
                QVERIFY(QTest::qWaitForWindowExposed(window));
                QWidget* tab = kind == WindowKind::Coefficients
                                   ? static_cast<QWidget*>(window->findChild<QTabBar*>())
                                   : static_cast<kz::terms::FormSZkaisetu*>(window)->SSTab1->tab(0);
                tab->setFocus(Qt::TabFocusReason);
                const QImage image = tab->grab().toImage();
                int frame = 0;
                double worst = 21;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x) {
                        if (image.pixel(x, y) != kz::ui::kFocusColour)
                            continue;
                        ++frame;
                        for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                            if (image.valid(QPoint(x, y) + d) && image.pixel(QPoint(x, y) + d) != kz::ui::kFocusColour)
                                worst = std::min(worst, contrast(kz::ui::kFocusColour, image.pixel(QPoint(x, y) + d)));
                    }
                QVERIFY2(frame >= 100 && worst >= 3, qPrintable(u"%1 px, %2 : 1"_s.arg(frame).arg(worst)));
                window->close();
            }
        }
    }

    // Under a dark desktop palette (dark Fusion, as a dark theme or qt6ct sets it) the ink of
    // every label and field, as drawn, stands out from what lies under it by a contrast ratio
    // of 4.5 at least: on every page of every window, the sheet's results shown.
    void readableUnderADarkPalette()
    {
        QPalette dark(QColor(53, 53, 53));
        dark.setColor(QPalette::Base, QColor(42, 42, 42));
        dark.setColor(QPalette::Text, Qt::white);
        QApplication::setPalette(dark);
        for (const WindowKind kind : {WindowKind::Menu, WindowKind::About, WindowKind::TaxSheet,
                                      WindowKind::Coefficients, WindowKind::TermsHelp, WindowKind::SecondStudy}) {
            QWidget* window = kz::test::shownWindow(kind);
            QVERIFY(window);
            auto* tabs = window->findChild<QTabWidget*>();
            for (int page = 0; page < (tabs ? tabs->count() : 2); ++page) {
                if (tabs)
                    tabs->setCurrentIndex(page);
                else if (kind == WindowKind::TaxSheet) // the results, then the chart page
                    window->findChild<QAbstractButton*>(page ? u"Command1"_s : u"Command4"_s)->click();
                const QImage image = window->grab().toImage();
                for (QWidget* box : window->findChildren<QWidget*>()) {
                    auto* label = qobject_cast<QLabel*>(box);
                    auto* edit = qobject_cast<QLineEdit*>(box);
                    if (!box->isVisible() || (label ? label->text() : edit ? edit->text() : QString()).isEmpty())
                        continue;
                    const QRect inner = label ? label->contentsRect() : box->rect().adjusted(3, 3, -3, -3);
                    const QRect area = QRect(box->mapTo(window, inner.topLeft()), inner.size()) & image.rect();
                    QMap<QRgb, int> colours; // the commonest is what lies under the text
                    for (int y = area.top(); y <= area.bottom(); ++y)
                        for (int x = area.left(); x <= area.right(); ++x)
                            ++colours[image.pixel(x, y)];
                    const QRgb under = colours.isEmpty() ? 0 : std::max_element(colours.keyValueBegin(), colours.keyValueEnd(),
                                                        [](auto a, auto b) { return a.second < b.second; })->first;
                    double best = colours.isEmpty() ? 21 : 1; // empty: parked out of sight
                    for (const QRgb c : colours.keys())
                        best = std::max(best, contrast(c, under));
                    QVERIFY2(best >= 4.5, qPrintable(box->objectName() + u' ' + (label ? label->text() : edit->text())));
                }
            }
        }
    }
};

KZ_QTEST_MAIN(ShellTest)
#include "shell_test.moc"
