// SPDX-License-Identifier: MIT
#pragma once
// Drives the tax window as a user does: keys go to whatever has the focus, clicks go to
// the widget under the mouse. Widgets are found by the names the program gives them.
#include "qtest_support.h"

#include "tax_sheet/form_souzoku.h"
#include "ui/entry_field.h"

#include <QLabel>

#include <memory>

namespace kz::tax::drive {

using kz::test::focused;
using kz::test::press;

inline QString focusedName() { return focused() ? focused()->objectName() : QString(); }

inline void type(const QString& text) { kz::test::typeText(focused(), text); }

// "Num1(0)" .. "Num8(4)", "Num6".
inline QString fieldNamed(const char* array, int index) { return QString::asprintf("%s(%d)", array, index); }

// The names of the entry fields in the order the sheet lists them: amounts column by
// column, the heir count, each share as numerator then denominator, the years.
inline QStringList fieldsInSheetOrder()
{
    QStringList names;
    for (int p = 1; p <= 5; ++p)
        for (int i = 0; i < 6; ++i)
            names << QString::asprintf("Num%d(%d)", p, i);
    names << QStringLiteral("Num6");
    for (int k = 0; k < 5; ++k)
        names << fieldNamed("Num7", k) << fieldNamed("Num8", k);
    for (int k = 5; k < 8; ++k)
        names << fieldNamed("Num7", k);
    return names;
}

struct Window {
    std::unique_ptr<FormSouzoku> form;

    bool open()
    {
        form = std::make_unique<FormSouzoku>();
        form->show();
        form->activateWindow(); // a real display without a window manager activates nothing
        return QTest::qWaitForWindowActive(form.get());
    }

    kz::ui::EntryField* field(const QString& name) const
    {
        auto* f = form->findChild<kz::ui::EntryField*>(name);
        if (!f)
            qFatal("no entry field %s", qPrintable(name));
        return f;
    }
    QLabel* label(const QString& name) const
    {
        auto* l = form->findChild<QLabel*>(name);
        if (!l)
            qFatal("no label %s", qPrintable(name));
        return l;
    }
    QString text(const QString& fieldName) const { return field(fieldName)->text(); }
    QString shown(const QString& labelName) const { return label(labelName)->text(); }

    void click(QWidget* w) const { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }
    void clickField(const QString& name) const { click(field(name)); }

    QStringList fieldTexts() const
    {
        QStringList out;
        for (const QString& name : fieldsInSheetOrder())
            out << text(name);
        return out;
    }
    QStringList resultTexts() const
    {
        QStringList out;
        for (int p = 1; p <= 5; ++p)
            for (int i = 0; i < 6; ++i)
                out << shown(QString::asprintf("LNum%d(%d)", p, i));
        for (int i = 0; i < 9; ++i)
            out << shown(QString::asprintf("LNum6(%d)", i));
        return out;
    }
};

// The worked example of the sheet, typed from the first field with digits, Backspace
// and Enter only. Heir 4 is given 3 years, which the recalculation must set back to "0".
inline void typeWorkedExample()
{
    static constexpr int kAmounts[5][6] = {
        {250000, 20000, 5000, 8000, 2000, 0},
        {80000, 0, 0, 0, 0, 5000},
        {40000, 15000, 5000, 0, 0, 0},
        {0, 0, 0, 0, 0, 0},
        {30000, 0, 0, 0, 0, 0},
    };
    for (const auto& person : kAmounts)
        for (const int amount : person) {
            // Arriving selects the "0", so digits replace it; a zero row is just passed.
            if (amount != 0)
                type(QString::number(amount));
            press(Qt::Key_Return);
        }
    press(Qt::Key_Backspace); // 法定相続人数 keeps its "0" with the caret behind it
    type(QStringLiteral("4"));
    press(Qt::Key_Return);
    const char* shares[5][2] = {{"1", "2"}, {"1", "6"}, {"1", "6"}, {"1", "6"}, {"", ""}};
    for (const auto& share : shares) {
        type(QString::fromLatin1(share[0]));
        press(Qt::Key_Return);
        type(QString::fromLatin1(share[1]));
        press(Qt::Key_Return);
    }
    for (const char* years : {"0", "5", "3"}) {
        press(Qt::Key_Backspace);
        type(QString::fromLatin1(years));
        press(Qt::Key_Return);
    }
}

} // namespace kz::tax::drive
