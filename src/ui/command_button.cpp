#include "ui/command_button.h"

#include <QKeyEvent>

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
    if (onCharTyped && !event->text().isEmpty() && event->text().front().isPrint()) {
        onCharTyped(event->text().front());
        event->accept();
        // Space is typed and presses the button too, unless the handler has moved the
        // focus away (to the field that a message named): the release would never come.
        if (event->key() != Qt::Key_Space || !hasFocus())
            return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace kz::ui
