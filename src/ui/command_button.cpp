// SPDX-License-Identifier: MIT
#include "ui/command_button.h"

#include <QKeyEvent>
#include <QShortcut>

using namespace Qt::StringLiterals;

namespace kz::ui {

CommandButton::CommandButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        click();
        event->accept();
        return;
    }
    // Every key that types a character counts, control characters such as Backspace and
    // Escape too; Delete and the focus keys only edit or move.
    const int key = event->key();
    const bool typed = !event->text().isEmpty() && key != Qt::Key_Return && key != Qt::Key_Enter
                       && key != Qt::Key_Delete && key != Qt::Key_Tab && key != Qt::Key_Backtab;
    if (onCharTyped && typed) {
        onCharTyped(event->text().front());
        event->accept();
        // Space is typed and presses the button too, unless the handler has moved the
        // focus away (to the field that a message named): the release would never come.
        if (event->key() != Qt::Key_Space || !hasFocus())
            return;
    }
    QPushButton::keyPressEvent(event);
}

void showKey(QAbstractButton* button, QKeyCombination key)
{
    const QString name = QKeySequence(key).toString(QKeySequence::NativeText);
    button->setAccessibleDescription(name);
    button->setToolTip(QString(button->text()).remove(u'…').remove(u'&') + u"（"_s + name + u"）"_s);
}

void bindKey(QAbstractButton* button, QKeyCombination key, QWidget* window)
{
    showKey(button, key);
    auto* shortcut = new QShortcut(QKeySequence(key), window);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        button->setFocus(Qt::ShortcutFocusReason);
        button->click();
    });
}

} // namespace kz::ui
