// SPDX-License-Identifier: MIT
// The sheet's entry fields in the real window: typing, committing, moving with Enter,
// the arrow keys and Tab, and the recalculation as the user starts it.
#include "window_driver.h"

#include "tax_sheet/sheet_page.h"
#include "ui/command_button.h"

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>

using namespace Qt::StringLiterals;
using namespace kz::tax::drive;

class SheetEntryTest : public QObject {
    Q_OBJECT

    Window w;

private slots:
    void init() { QVERIFY(w.open()); }
    void cleanup() { w.form.reset(); }

    void workedExampleTypedAndCalculated_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        const QList<std::pair<const char*, QString>> rows = {
            {"LNum1(0)", u"255,000"_s}, {"LNum2(0)", u"85,000"_s},  {"LNum3(0)", u"50,000"_s},
            {"LNum4(0)", u"0"_s},       {"LNum5(0)", u"30,000"_s},  {"LNum6(0)", u"420,000"_s},
            {"LNum6(1)", u"0"_s},       {"LNum6(2)", u"90,000"_s},  {"LNum6(3)", u"330,000"_s},
            {"LNum1(1)", u"165,000"_s}, {"LNum1(2)", u"49,000"_s},  {"LNum2(1)", u"55,000"_s},
            {"LNum2(2)", u"9,500"_s},   {"LNum3(1)", u"55,000"_s},  {"LNum3(2)", u"9,500"_s},
            {"LNum4(1)", u"55,000"_s},  {"LNum4(2)", u"9,500"_s},   {"LNum5(1)", u"0"_s},
            {"LNum5(2)", u"0"_s},       {"LNum6(4)", u"77,500"_s},  {"LNum1(3)", u"0.61"_s},
            {"LNum2(3)", u"0.2"_s},     {"LNum3(3)", u"0.12"_s},    {"LNum4(3)", u"0"_s},
            {"LNum5(3)", u"0.07"_s},    {"LNum1(4)", u"47,275"_s},  {"LNum2(4)", u"15,500"_s},
            {"LNum3(4)", u"9,300"_s},   {"LNum4(4)", u"0"_s},       {"LNum5(4)", u"5,425"_s},
            {"LNum6(5)", u"38,750"_s},  {"LNum1(5)", u"8,525"_s},   {"LNum6(6)", u"0"_s},
            {"LNum2(5)", u"15,500"_s},  {"LNum6(7)", u"300"_s},     {"LNum3(5)", u"9,000"_s},
            {"LNum6(8)", u"0"_s},       {"LNum4(5)", u"0"_s},       {"LNum5(5)", u"6,510"_s},
        };
        for (const auto& [label, shown] : rows)
            QTest::newRow(label) << QString::fromLatin1(label) << shown;
    }

    void workedExampleTypedAndCalculated()
    {
        QFETCH(QString, label);
        QFETCH(QString, shown);
        typeWorkedExample();
        QCOMPARE(focusedName(), u"Command4"_s); // Enter in the last years field leads to the button
        QCOMPARE(w.text(u"Num1(0)"_s), u"250,000"_s);
        QCOMPARE(w.form->sheet().kingaku(1, 0), 250000);
        w.click(w.form->Command4);
        QCOMPARE(w.shown(label), shown);
        QCOMPARE(w.text(u"Num7(7)"_s), u"0"_s); // heir 4 has no taxable value: its years go back to "0"
    }

    void enterOnTheFocusedButtonCalculatesToo()
    {
        typeWorkedExample();
        press(Qt::Key_Return);
        QCOMPARE(w.shown(u"LNum5(5)"_s), u"6,510"_s);
        QCOMPARE(focusedName(), u"Command4"_s);
    }

    void amountTypedThenButtonClickedAtOnceIsCommittedFirst()
    {
        type(u"250000"_s);
        QCOMPARE(w.form->sheet().kingaku(1, 0), 0); // still being edited
        w.click(w.form->Command4);
        QCOMPARE(w.form->sheet().kingaku(1, 0), 250000);
        QCOMPARE(w.text(u"Num1(0)"_s), u"250,000"_s);
        QCOMPARE(w.shown(u"LNum1(0)"_s), u"250,000"_s);
        QCOMPARE(w.shown(u"LNum6(0)"_s), u"250,000"_s);
    }

    void filterOfTypedCharacters_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("digits, sign and points stay") << u"Num7(0)"_s << u"1-2.3.."_s << u"1-2.3.."_s;
        QTest::newRow("letters dropped") << u"Num7(0)"_s << u"1a2B"_s << u"12"_s;
        QTest::newRow("blanks dropped") << u"Num8(3)"_s << u"1 2　3"_s << u"123"_s;
        QTest::newRow("commas dropped") << u"Num7(4)"_s << u"1,234"_s << u"1234"_s;
        QTest::newRow("full-width digits dropped") << u"Num8(0)"_s << u"１２3"_s << u"3"_s;
        QTest::newRow("kana and kanji dropped") << u"Num7(2)"_s << u"ｱ円5"_s << u"5"_s;
        QTest::newRow("plus and yen sign dropped") << u"Num8(4)"_s << u"+7¥"_s << u"7"_s;
    }

    void filterOfTypedCharacters()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        w.clickField(field);
        type(typed);
        QCOMPARE(w.text(field), shown);
    }

    void backspaceAndDeleteEditAndControlKeysDoNothing()
    {
        w.clickField(u"Num7(1)"_s);
        type(u"1234"_s);
        press(Qt::Key_Backspace);
        QCOMPARE(w.text(u"Num7(1)"_s), u"123"_s);
        press(Qt::Key_Home);
        press(Qt::Key_Delete);
        QCOMPARE(w.text(u"Num7(1)"_s), u"23"_s);
        QApplication::clipboard()->setText(u"99"_s);
        press(Qt::Key_V, Qt::ControlModifier);
        press(Qt::Key_A, Qt::ControlModifier);
        press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.text(u"Num7(1)"_s), u"23"_s);
    }

    void amountCommitsItsLeadingNumberOnLeaving_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::newRow("grouped") << u"1234567"_s << u"1,234,567"_s << 1234567;
        QTest::newRow("12.5 to even") << u"12.5"_s << u"12"_s << 12;
        QTest::newRow("13.5 to even") << u"13.5"_s << u"14"_s << 14;
        QTest::newRow("-2.5 to even") << u"-2.5"_s << u"-2"_s << -2;
        QTest::newRow("dash alone") << u"-"_s << u"0"_s << 0;
        QTest::newRow("point alone") << u"."_s << u"0"_s << 0;
        QTest::newRow("second sign ends it") << u"12-3"_s << u"12"_s << 12;
        QTest::newRow("largest") << u"2147483647"_s << u"2,147,483,647"_s << 2147483647;
        QTest::newRow("beyond 32 bits") << u"2147483648"_s << u"0"_s << 0;
        QTest::newRow("smallest") << u"-2147483648"_s << u"-2,147,483,648"_s << int(-2147483648LL);
    }

    void amountCommitsItsLeadingNumberOnLeaving()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        press(Qt::Key_Right); // into Num2(0): the heir's column is in the ordinary window font
        QCOMPARE(focusedName(), u"Num2(0)"_s);
        type(typed);
        press(Qt::Key_Return);
        QCOMPARE(w.text(u"Num2(0)"_s), shown);
        QCOMPARE(w.form->sheet().kingaku(2, 0), stored);
        // Coming back shows the stored value raw, all selected, caret at the start.
        press(Qt::Key_Up);
        QCOMPARE(focusedName(), u"Num2(0)"_s);
        QCOMPARE(w.field(u"Num2(0)"_s)->selectedText(), QString::number(stored));
        QCOMPARE(w.field(u"Num2(0)"_s)->cursorPosition(), 0);
    }

    void emptiedAmountCommitsAsZero()
    {
        type(u"77"_s);
        press(Qt::Key_Backspace);
        press(Qt::Key_Backspace);
        QCOMPARE(w.text(u"Num1(0)"_s), QString());
        press(Qt::Key_Down);
        QCOMPARE(w.text(u"Num1(0)"_s), u"0"_s);
    }

    void inputMethodCommitIsFilteredAndNoFieldHasOne()
    {
        for (const QString& name : fieldsInSheetOrder())
            QVERIFY2(!w.field(name)->testAttribute(Qt::WA_InputMethodEnabled), qPrintable(name));
        w.clickField(u"Num8(1)"_s);
        QInputMethodEvent commit;
        commit.setCommitString(u"３2ア.5"_s);
        QApplication::sendEvent(focused(), &commit);
        QCOMPARE(w.text(u"Num8(1)"_s), u"2.5"_s);
    }

    void textPastedFromTheContextMenuIsTakenAndCommitReadsItsLeadingNumber()
    {
        QApplication::clipboard()->setText(u"1,234円"_s);
        auto* field = w.field(u"Num1(0)"_s);
        std::unique_ptr<QMenu> menu(field->createStandardContextMenu());
        QAction* paste = nullptr;
        // The menu names its actions by their shortcut, whatever the language.
        const QString shortcut = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction* a : menu->actions())
            if (a->text().endsWith(u'\t' + shortcut))
                paste = a;
        QVERIFY(paste);
        paste->trigger();
        QCOMPARE(field->text(), u"1,234円"_s);
        press(Qt::Key_Return);
        QCOMPARE(field->text(), u"1"_s);
        QCOMPARE(w.form->sheet().kingaku(1, 0), 1);
    }

    // A click into another field of the sheet while another window is active can give that
    // field the focus only when the sheet comes back to the front. It is still a move from
    // the field under edit: that one commits, the new one shows its raw value selected.
    // Coming back to the same field is no move and keeps the text under edit.
    void fieldChosenWhileTheWindowWasInactiveIsAMove_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("shownInNum1");
        QTest::addColumn<QString>("selected");
        QTest::newRow("another amount") << u"Num2(0)"_s << u"1,234"_s << u"80000"_s;
        QTest::newRow("the heir count") << u"Num6"_s << u"1,234"_s << u"0"_s;
        QTest::newRow("the same field") << u"Num1(0)"_s << u"1234"_s << QString();
    }

    void fieldChosenWhileTheWindowWasInactiveIsAMove()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, shownInNum1);
        QFETCH(QString, selected);
        press(Qt::Key_Right);
        type(u"80000"_s);
        press(Qt::Key_Left);
        type(u"1234"_s);

        QVERIFY(kz::test::chooseWhileInactive(w.form.get(), w.field(chosen)));

        QCOMPARE(focusedName(), chosen);
        QCOMPARE(w.text(u"Num1(0)"_s), shownInNum1);
        QCOMPARE(w.form->sheet().kingaku(1, 0), chosen == u"Num1(0)"_s ? 0 : 1234);
        if (!selected.isEmpty()) {
            QCOMPARE(w.field(chosen)->selectedText(), selected);
            QCOMPARE(w.field(chosen)->cursorPosition(), 0);
        }
    }

    // Beyond the line edit's usual cap of 32,767 characters: a pasted text arrives whole,
    // one more typed character still lands, and the commit reads the whole number.
    void noFieldHasAMaximumLength_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("committed");
        const QString longNumber = QString(40000, u'0') + u"7"_s;
        QTest::newRow("amount") << u"Num2(3)"_s << longNumber << u"71"_s;
        QTest::newRow("heir count") << u"Num6"_s << longNumber << QString();
        QTest::newRow("share") << u"Num8(2)"_s << QString(40000, u'9') << QString();
        QTest::newRow("years") << u"Num7(6)"_s << QString(33000, u'-') << QString();
    }

    void noFieldHasAMaximumLength()
    {
        QFETCH(QString, field);
        QFETCH(QString, pasted);
        QFETCH(QString, committed);
        w.clickField(field);
        auto* e = w.field(field);
        e->selectAll();
        QApplication::clipboard()->setText(pasted);
        e->paste();
        QCOMPARE(e->text().size(), pasted.size());
        press(Qt::Key_End);
        type(u"1"_s);
        QCOMPARE(e->text(), pasted + u"1"_s);
        press(Qt::Key_Tab);
        if (!committed.isEmpty()) {
            QCOMPARE(e->text(), committed);
            QCOMPARE(w.form->sheet().kingaku(2, 3), committed.toInt());
        }
    }

    void enterChainVisitsTheFieldsInSheetOrderThenTheButton()
    {
        QStringList visited{focusedName()};
        for (int step = 0; step < 44; ++step) {
            type(u"5"_s); // replaces what arriving selected: "5" heirs, not "05"
            press(Qt::Key_Return);
            visited << focusedName();
        }
        QCOMPARE(visited, fieldsInSheetOrder() << u"Command4"_s);
        QCOMPARE(w.fieldTexts(), QStringList(44, u"5"_s));
        // Enter never inserts anything.
        QCOMPARE(w.fieldTexts().join(QString()).count(u'\r'), 0);
    }

    void arrowKeys_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("shows");
        const int left = Qt::Key_Left, up = Qt::Key_Up, right = Qt::Key_Right, down = Qt::Key_Down;
        const struct {
            const char* from;
            int key;
            Qt::KeyboardModifiers mods;
            const char* to;
            int clicks = 0; // into the field reached, before typing "5"
            const char* shows = "5";
        } rows[] = {
            {"Num1(0)", up, {}, "Num1(0)"},        {"Num1(0)", down, {}, "Num1(1)"},
            {"Num1(0)", left, {}, "Num1(0)"},      {"Num1(0)", right, {}, "Num2(0)"},
            {"Num3(2)", up, {}, "Num3(1)"},        {"Num3(2)", down, {}, "Num3(3)"},
            {"Num3(2)", left, {}, "Num2(2)"},      {"Num3(2)", right, {}, "Num4(2)"},
            {"Num5(4)", right, {}, "Num5(4)"},     {"Num5(0)", up, {}, "Num5(0)"},
            {"Num2(5)", down, {}, "Num6"},         {"Num5(5)", down, {}, "Num6"},
            {"Num4(5)", left, {}, "Num3(5)"},      {"Num6", up, {}, "Num1(5)"},
            {"Num6", down, {}, "Num7(0)"},         {"Num6", left, {}, "Num6"},
            {"Num6", right, {}, "Num6"},           {"Num7(0)", up, {}, "Num6"},
            {"Num7(0)", down, {}, "Num8(0)"},      {"Num7(0)", left, {}, "Num7(0)"},
            {"Num7(2)", right, {}, "Num7(3)"},     {"Num7(4)", right, {}, "Num7(4)"},
            {"Num8(2)", up, {}, "Num7(2)"},        {"Num8(2)", down, {}, "Num8(2)"},
            {"Num8(2)", left, {}, "Num8(1)"},      {"Num8(4)", right, {}, "Num8(4)"},
            {"Num8(0)", left, {}, "Num8(0)"},      {"Num7(5)", up, {}, "Num7(5)"},
            {"Num7(6)", down, {}, "Num7(6)"},      {"Num7(7)", left, {}, "Num7(7)"},
            {"Num2(3)", up, Qt::ShiftModifier, "Num2(2)"},
            {"Num2(3)", right, Qt::ControlModifier, "Num3(3)"},
            {"Num2(3)", down, Qt::AltModifier, "Num2(4)"},
            // One click keeps what arriving selected; a second places the caret, left of "4".
            {"Num1(0)", down, {}, "Num1(1)", 1},   {"Num7(0)", down, {}, "Num8(0)", 2, "54"},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QString::asprintf("%s %d %d %d", r.from, r.key, int(r.mods), r.clicks)))
                << QString::fromLatin1(r.from) << r.key << int(r.mods) << QString::fromLatin1(r.to) << r.clicks
                << QString::fromLatin1(r.shows);
    }

    void arrowKeys()
    {
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QString, to);
        QFETCH(int, clicks);
        QFETCH(QString, shows);
        w.clickField(from);
        QCOMPARE(focusedName(), from);
        w.field(to)->setText(u"4"_s);
        press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(focusedName(), to);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(w.field(to), Qt::LeftButton, {}, QPoint(4, w.field(to)->height() / 2));
        if (to != from) {
            type(u"5"_s); // replaces what arriving selected: 5 heirs, not 45
            QCOMPARE(w.text(to), shows);
        }
    }

    void arrowWithoutTargetMovesTheCaret()
    {
        w.clickField(u"Num6"_s);
        press(Qt::Key_End);
        type(u"12"_s);
        press(Qt::Key_Left);
        QCOMPARE(focusedName(), u"Num6"_s);
        QCOMPARE(w.field(u"Num6"_s)->cursorPosition(), 2);
    }

    void tabOrderRunsThroughTheFieldsThenTheButtons()
    {
        QStringList visited{focusedName()};
        for (int step = 0; step < 70; ++step) {
            if (qobject_cast<kz::ui::EntryField*>(focused()))
                type(u"5"_s); // replaces what arriving selected
            press(Qt::Key_Tab);
            visited << focusedName();
        }
        QCOMPARE(w.fieldTexts(), QStringList(44, u"5"_s));
        // The boxes that act come behind the stated order: the clearing column, the printer;
        // then the commands added beside the stated ones.
        const QStringList boxes{u"Label19"_s, u"Label20"_s, u"Label21"_s, u"Label22"_s, u"Label16"_s,
                                u"Label13"_s, u"Label14"_s, u"Label15"_s, u"Picture5"_s};
        QCOMPARE(visited, fieldsInSheetOrder() << u"Command4"_s << u"Command1"_s << u"Command2"_s << u"Command3"_s
                                               << u"Command7"_s << u"Combo1"_s << boxes << u"StepsCommand"_s
                                               << u"SaveCommand"_s << u"PreviewCommand"_s << u"CommandNiji"_s << u"OpenCommand"_s << u"SaveCaseCommand"_s
                                               << u"AssetsCommand"_s << u"FamilyCommand"_s << u"Surcharge2"_s
                                               << u"Surcharge3"_s << u"Surcharge4"_s << u"Num1(0)"_s);
        press(Qt::Key_Backtab);
        QCOMPARE(focusedName(), u"Surcharge4"_s);
    }

    void arrivingByTabSelectsTheRawAmount()
    {
        type(u"1234"_s);
        press(Qt::Key_Tab);
        QCOMPARE(w.text(u"Num1(0)"_s), u"1,234"_s);
        press(Qt::Key_Backtab);
        QCOMPARE(w.field(u"Num1(0)"_s)->selectedText(), u"1234"_s);
        QCOMPARE(w.field(u"Num1(0)"_s)->cursorPosition(), 0);
    }

    void enteringAGroupedAmountClearsTheResultsButAPlainOneDoesNot()
    {
        type(u"1234"_s); // Num1(0)
        press(Qt::Key_Right);
        type(u"500"_s); // Num2(0)
        press(Qt::Key_Down);
        w.click(w.form->Command4);
        QCOMPARE(w.shown(u"LNum6(0)"_s), u"1,734"_s);
        const QStringList results = w.resultTexts();

        w.clickField(u"Num2(0)"_s); // 「500」 arrives as 「500」: no change
        QCOMPARE(w.text(u"Num2(0)"_s), u"500"_s);
        QCOMPARE(w.resultTexts(), results);

        w.clickField(u"Num1(0)"_s); // 「1,234」 becomes 「1234」: a change
        QCOMPARE(w.text(u"Num1(0)"_s), u"1234"_s);
        QCOMPARE(w.field(u"Num1(0)"_s)->selectedText(), u"1234"_s);
        for (const QString& shown : w.resultTexts())
            QCOMPARE(shown, u"0"_s);
    }

    void anyTypedDigitClearsTheResults_data()
    {
        QTest::addColumn<QString>("field");
        for (const QString& name : {u"Num1(0)"_s, u"Num5(5)"_s, u"Num6"_s, u"Num7(4)"_s, u"Num8(0)"_s, u"Num7(6)"_s})
            QTest::newRow(qPrintable(name)) << name;
    }

    void anyTypedDigitClearsTheResults()
    {
        QFETCH(QString, field);
        typeWorkedExample();
        w.click(w.form->Command4);
        QCOMPARE(w.shown(u"LNum6(4)"_s), u"77,500"_s);
        w.clickField(field);
        press(Qt::Key_End);
        type(u"1"_s);
        for (const QString& shown : w.resultTexts())
            QCOMPARE(shown, u"0"_s);
    }

    // A text dragged from another program is refused, by the field under edit too.
    void droppedTextChangesNothing()
    {
        for (const QString& name : {u"Num2(0)"_s, u"Num6"_s, u"Num1(0)"_s})
            QVERIFY(!kz::test::dropText(w.field(name), u"50000"_s) && w.text(name) == u"0"_s);
    }
};

KZ_QTEST_MAIN(SheetEntryTest)
#include "sheet_entry_test.moc"
