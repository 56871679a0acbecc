// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "ui/action_box.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/entry_field.h"
#include "ui/icons.h"
#include "ui/print.h"

#include <QElapsedTimer>
#include <QAccessible>
#include <QInputMethodEvent>
#include <QLabel>
#include <QClipboard>
#include <QPointer>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using kz::ui::EntryField;

class UiTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;
    EntryField* field = nullptr;
    EntryField* other = nullptr;

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        field = new EntryField(window.get());
        other = new EntryField(window.get());
        other->move(0, 40);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        field->setFocus();
    }

    void cleanup() { window.reset(); }

    void filterKeepsDigitsSignPointAndBackspace_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits") << u"0123456789"_s << u"0123456789"_s;
        QTest::newRow("sign and points anywhere") << u"1-2..3--"_s << u"1-2..3--"_s;
        QTest::newRow("letters and blanks") << u"1a b2"_s << u"12"_s;
        QTest::newRow("comma and plus") << u"1,234+5"_s << u"12345"_s;
        QTest::newRow("full-width digits") << u"１２3"_s << u"3"_s;
        QTest::newRow("kana and kanji") << u"ｱ漢4"_s << u"4"_s;
    }

    void filterKeepsDigitsSignPointAndBackspace()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        kz::test::typeText(field, typed);
        QCOMPARE(field->text(), shown);
    }

    void backspaceDeleteAndCaretKeysKeepTheirEffect()
    {
        QTest::keyClicks(field, u"1234"_s);
        QTest::keyClick(field, Qt::Key_Backspace);
        QCOMPARE(field->text(), u"123"_s);
        QTest::keyClick(field, Qt::Key_Home);
        QTest::keyClick(field, Qt::Key_Delete);
        QCOMPARE(field->text(), u"23"_s);
        QTest::keyClick(field, Qt::Key_Right);
        QCOMPARE(field->cursorPosition(), 1);
    }

    void controlKeysDoNothing()
    {
        field->setText(u"123"_s);
        field->selectAll();
        for (Qt::Key k : {Qt::Key_C, Qt::Key_X, Qt::Key_V, Qt::Key_A})
            QTest::keyClick(field, k, Qt::ControlModifier);
        QCOMPARE(field->text(), u"123"_s);
    }

    void enterCallsItsHandlerAndInsertsNothing()
    {
        int entered = 0;
        field->onEnter = [&] { ++entered; };
        QTest::keyClicks(field, u"5"_s);
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(entered, 2);
        QCOMPARE(field->text(), u"5"_s);
    }

    void arrowKeysGoToTheViewFirst()
    {
        field->setText(u"12"_s);
        field->setCursorPosition(2);
        QList<int> seen;
        field->onKeyDown = [&](int key) { seen << key; return key == Qt::Key_Down; };
        QTest::keyClick(field, Qt::Key_Down);
        QTest::keyClick(field, Qt::Key_Left);
        QCOMPARE(seen, (QList<int>{Qt::Key_Down, Qt::Key_Left}));
        QCOMPARE(field->cursorPosition(), 1); // Left was not consumed: the caret moved
    }

    void inputMethodCommitIsFiltered()
    {
        QInputMethodEvent ev;
        ev.setCommitString(u"１2a-3"_s);
        QApplication::sendEvent(field, &ev);
        QCOMPARE(field->text(), u"2-3"_s);
    }

    void pastedTextIsNotFiltered()
    {
        QApplication::clipboard()->setText(u"1,234円"_s);
        field->paste();
        QCOMPARE(field->text(), u"1,234円"_s);
    }

    void focusMovesAreReported()
    {
        QStringList log;
        field->onFocusOut = [&] { log << u"out"_s; };
        other->onFocusIn = [&] { log << u"in"_s; };
        QTest::mouseClick(other, Qt::LeftButton);
        QCOMPARE(log, (QStringList{u"out"_s, u"in"_s}));
    }

    // A control chosen while the window was inactive gets the focus with the activation
    // alone; the field under edit must still be left, once, and a field reached arrive.
    void choiceMadeWhileInactiveIsAMove_data()
    {
        QTest::addColumn<bool>("toField");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("another field") << true << QStringList{u"A out"_s, u"B in"_s};
        QTest::newRow("a button") << false << QStringList{u"A out"_s};
    }

    void choiceMadeWhileInactiveIsAMove()
    {
        QFETCH(bool, toField);
        QFETCH(QStringList, expected);
        auto* button = new QPushButton(u"計　算"_s, window.get());
        button->move(0, 80);
        button->show();
        QStringList log;
        field->onFocusIn = [&] { log << u"A in"_s; };
        field->onFocusOut = [&] { log << u"A out"_s; };
        other->onFocusIn = [&] { log << u"B in"_s; };
        other->onFocusOut = [&] { log << u"B out"_s; };

        QWidget* chosen = toField ? static_cast<QWidget*>(other) : button;
        QVERIFY(kz::test::chooseWhileInactive(window.get(), chosen)); // recorded only while inactive
        QTRY_COMPARE(QApplication::focusWidget(), chosen);
        QCOMPARE(log, expected);

        // Going away and back to the same control is no move.
        QVERIFY(kz::test::chooseWhileInactive(window.get(), chosen));
        QCOMPARE(log, expected);
    }

    // The arrival runs exactly once however the focus gets there: by its own focus event,
    // by hand where the field has it already, and by hand in a window not yet active,
    // whose activation later is no move of the user's.
    void enterRunsTheArrivalOnce_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("from another field") << u"other"_s;
        QTest::newRow("already there") << u"same"_s;
        QTest::newRow("window not active") << u"inactive"_s;
    }

    void enterRunsTheArrivalOnce()
    {
        QFETCH(QString, where);
        std::unique_ptr<QWidget> inactive;
        EntryField* target = other;
        if (where == u"same"_s) {
            target = field;
        } else if (where == u"inactive"_s) {
            inactive = std::make_unique<QWidget>();
            target = new EntryField(inactive.get());
        }
        int arrivals = 0;
        target->onFocusIn = [&] { ++arrivals; };
        target->enter();
        QCOMPARE(arrivals, 1);
        if (inactive) {
            inactive->show();
            QVERIFY(QTest::qWaitForWindowActive(inactive.get()));
            QCOMPARE(QApplication::focusWidget(), target);
            QCOMPARE(arrivals, 1);
        } else {
            QCOMPARE(QApplication::focusWidget(), target);
        }
    }

    void clickThatBringsFocusKeepsTheSelection()
    {
        other->setText(u"1234"_s);
        other->onFocusIn = [this] { other->selectAll(); };
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(other->selectedText(), u"1234"_s);
    }

    void clickThatBringsFocusKeepsTheCaretAtStartOfTheSelection()
    {
        other->setText(u"1234"_s);
        other->onFocusIn = [this] { other->setSelection(4, -4); };
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(other->selectedText(), u"1234"_s);
        QCOMPARE(other->cursorPosition(), 0);
    }

    void clickIntoFieldWithoutArrivalSelectionPlacesTheCaret()
    {
        other->setText(u"1234"_s);
        other->onFocusIn = [] {};
        other->setAlignment(Qt::AlignLeft);
        QTest::mouseClick(other, Qt::LeftButton, {}, QPoint(other->width() - 3, other->height() / 2));
        QVERIFY(!other->hasSelectedText());
        QCOMPARE(other->cursorPosition(), 4);
    }

    void inputMethodCanBeSwitchedOff()
    {
        field->setInputMethodAllowed(false);
        QVERIFY(!field->testAttribute(Qt::WA_InputMethodEnabled));
        field->setInputMethodAllowed(true);
        QVERIFY(field->testAttribute(Qt::WA_InputMethodEnabled));
    }

    void commandButtonPressedByEnterAndSpace()
    {
        auto* button = new kz::ui::CommandButton(u"計　算"_s, window.get());
        button->show();
        QSignalSpy clicks(button, &QPushButton::clicked);
        QStringList log;
        connect(button, &QPushButton::clicked, button, [&] { log << u"click"_s; });
        button->onCharTyped = [&](QChar c) { log << u"typed '%1'"_s.arg(c); };
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        // Space is a typed character, at the press, and presses the button, at the release.
        QTest::keyPress(button, Qt::Key_Space);
        QCOMPARE(log, (QStringList{u"click"_s, u"typed ' '"_s}));
        QTest::keyRelease(button, Qt::Key_Space);
        QTest::keyClick(button, Qt::Key_7);
        QCOMPARE(clicks.size(), 2);
        QCOMPARE(log, (QStringList{u"click"_s, u"typed ' '"_s, u"click"_s, u"typed '7'"_s}));
        QCOMPARE(QApplication::focusWidget(), button);

        // A handler that sends the focus elsewhere leaves the button up: no click follows.
        button->onCharTyped = [&](QChar) { field->setFocus(); };
        QTest::keyPress(button, Qt::Key_Space);
        QVERIFY(!button->isDown());
        QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(clicks.size(), 2);
    }

    // Unlike a clearing label, the printer icon takes the focus: the field being edited is
    // left before the icon acts.
    void printIconLeavesTheFieldBeforeItActs()
    {
        kz::ui::ActionBox* icon = kz::ui::makePrintIcon(1920, 8760, window.get());
        icon->show();
        QCOMPARE(icon->geometry(), QRect(128, 584, 26, 25));
        QStringList log;
        field->onFocusOut = [&] { log << u"left"_s; };
        icon->onClick = [&] { log << u"clicked"_s; };
        QTest::mouseClick(icon, Qt::LeftButton);
        QCOMPARE(log, (QStringList{u"left"_s, u"clicked"_s}));
        QCOMPARE(QApplication::focusWidget(), icon);
    }

    void actionBoxClicksOnAPressAndReleaseInsideOrOnSpaceAndEnter()
    {
        auto* label = new kz::ui::ActionBox(u"CE"_s, window.get());
        label->setGeometry(0, 80, 49, 17);
        label->show();
        int clicks = 0;
        label->onClick = [&] { ++clicks; };
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(clicks, 1);
        QCOMPARE(QApplication::focusWidget(), field); // a label takes no focus
        QTest::mouseClick(label, Qt::RightButton);
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(80, 5)); // let go outside
        QCOMPARE(clicks, 1);

        // The Tab key brings the focus; Space and Enter then act, and a navy frame shows it.
        const QColor navy(0x00, 0x00, 0x80);
        QVERIFY(label->grab().toImage().pixelColor(0, 8) != navy);
        label->setFocus(Qt::TabFocusReason);
        QTest::keyClick(label, Qt::Key_Space);
        QTest::keyClick(label, Qt::Key_Return);
        QCOMPARE(clicks, 3);
        const QImage framed = label->grab().toImage();
        QCOMPARE(framed.pixelColor(0, 8), navy);
        QCOMPARE(framed.pixelColor(1, 8), navy);
        QCOMPARE(framed.pixelColor(48, 8), navy);

        // A screen reader sees a push button with a press action.
        QAccessibleInterface* box = QAccessible::queryAccessibleInterface(label);
        QCOMPARE(box->role(), QAccessible::Button);
        QCOMPARE(box->text(QAccessible::Name), u"CE"_s);
        box->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(clicks, 4);
    }

    void printAnsweredNoPrintsNothing()
    {
        auto* icon = new QLabel(u"P"_s, window.get());
        icon->show();
        kz::test::PrintCapture printed;
        auto seen = kz::test::answerNextMessageBox(QMessageBox::No);
        QVERIFY(!kz::ui::confirmAndPrint(window.get(), icon, kz::ui::PageOrientation::Landscape));
        QCOMPARE(printed.pages, 0);
        QVERIFY(icon->isVisible());
        QCOMPARE(seen->title, u"印刷"_s);
        QCOMPARE(seen->text, u"画面印刷をします。よろしいですか？"_s);
        QCOMPARE(seen->buttons.size(), 2);
    }

    void printAnsweredYesSendsTheWindowWithoutIcon()
    {
        window->resize(200, 100);
        auto* icon = new QLabel(window.get());
        icon->setGeometry(150, 50, 30, 30);
        icon->setAutoFillBackground(true);
        QPalette pal = icon->palette();
        pal.setColor(QPalette::Window, Qt::red);
        icon->setPalette(pal);
        icon->show();
        kz::test::PrintCapture printed(icon);
        const auto answered = kz::test::answerNextMessageBox(QMessageBox::Yes);
        QVERIFY(kz::ui::confirmAndPrint(window.get(), icon, kz::ui::PageOrientation::Landscape));
        QTRY_VERIFY(icon->isVisible());
        QVERIFY(printed.iconHidden && printed.orientation == kz::ui::PageOrientation::Landscape);
        const QImage page = kz::test::renderPage(printed.page, window->devicePixelRatio());
        QCOMPARE(page.size(), window->size() * window->devicePixelRatio());
        QVERIFY(page.pixelColor(QPoint(160, 60) * window->devicePixelRatio()) != QColor(Qt::red));
    }

    void noDefaultPrinterPrintsNothing()
    {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("a default printer is configured here");
        QVERIFY(!kz::ui::printPage(kz::ui::recordWindow(window.get()), kz::ui::PageOrientation::Landscape, u"none"_s));
    }

    void controlTableBuildsAtTwipsPositions()
    {
        static constexpr kz::ui::Control table[] = {
            {kz::ui::Kind::Label, u"千円", 1500, 300, 450, 255, Qt::AlignRight, kz::ui::kLightYellow},
            {kz::ui::Kind::Line, u"", 120, 1380, 1440, 0},
        };
        QWidget parent;
        kz::ui::buildControls(table, &parent);
        const auto labels = parent.findChildren<QLabel*>();
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels[0]->text(), u"千円"_s);
        QCOMPARE(labels[0]->geometry(), QRect(100, 20, 30, 17));
        QCOMPARE(labels[0]->palette().color(QPalette::Window), QColor(255, 255, 128));
        const auto all = parent.findChildren<QWidget*>();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[1]->geometry(), QRect(8, 92, 96, 1));
    }

    // The window icon is the SVG rendered at build time, at small sizes only.
    void programIconIsTheSvgAtSmallSizes()
    {
        QCOMPARE(kz::ui::programIcon().availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
        QCOMPARE(kz::ui::programPixmap(32).toImage().pixelColor(14, 11), QColor(48, 160, 48)); // inside the leaf
    }
};

KZ_QTEST_MAIN(UiTest)
#include "ui_test.moc"
