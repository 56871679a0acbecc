// SPDX-License-Identifier: MIT
#include "ui/action_box.h"

#include "ui/focus_frame.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace kz::ui {

namespace {

// What a screen reader sees of a box: a push button whose press acts as a click.
class ActionBoxAccessible : public QAccessibleWidget {
public:
    explicit ActionBoxAccessible(ActionBox* box)
        : QAccessibleWidget(box, QAccessible::Button)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        // An icon has no text of its own; without a name a box is read by its caption.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        // Later, not inside the reader's call: a click may open a modal question.
        QPointer<ActionBox> box = static_cast<ActionBox*>(widget());
        QMetaObject::invokeMethod(box, [box] { if (box) box->click(); }, Qt::QueuedConnection);
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(ActionBox::staticMetaObject.className()))
        if (auto* box = qobject_cast<ActionBox*>(object))
            return new ActionBoxAccessible(box);
    return nullptr;
}

} // namespace

ActionBox::ActionBox(const QString& text, QWidget* parent)
    : QLabel(text, parent)
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    setFocusPolicy(Qt::TabFocus);
}

void ActionBox::click()
{
    if (onClick)
        onClick();
}

void ActionBox::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
    event->accept();
}

void ActionBox::mouseReleaseEvent(QMouseEvent* event)
{
    const bool clicked = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (clicked)
        click(); // last: the handler may close the window and this box with it
}

void ActionBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        if (event->modifiers() & ~Qt::KeyboardModifiers(Qt::KeypadModifier))
            break;
        event->accept();
        // A key held down acts once, as a held mouse button does.
        if (!event->isAutoRepeat())
            click();
        return;
    default:
        break;
    }
    QLabel::keyPressEvent(event);
}

void ActionBox::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (hasFocus())
        paintFocusFrame(this);
}

// Printing hides the icon. Were the focus handed on to the next control, that control's
// arrival (a field showing its raw amount, selected) would go on paper; so the focus goes
// nowhere while the box is hidden and comes back with it, where a print started by the
// keyboard left it.
void ActionBox::setVisible(bool visible)
{
    if (!visible && hasFocus()) {
        refocus_ = true;
        clearFocus();
    }
    QLabel::setVisible(visible);
    if (visible && refocus_) {
        refocus_ = false;
        // The window may be inactive yet, just after the question: it gets the focus back
        // with its activation.
        setFocus(Qt::OtherFocusReason);
    }
}

void paintFocusFrame(QWidget* w)
{
    QPainter p(w);
    paintFocusFrame(p, w->rect());
}

} // namespace kz::ui
