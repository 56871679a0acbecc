#include "ui/entry_field.h"

#include "common/entry_filter.h"

#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kz::ui {

namespace {

bool isUserMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

bool entryCharAllowed(QChar c) { return kz::entryCharAllowed(c.unicode()); }

EntryField::EntryField(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(true);
}

void EntryField::setInputMethodAllowed(bool allowed)
{
    setAttribute(Qt::WA_InputMethodEnabled, allowed);
}

void EntryField::enter()
{
    m_arrivalReported = false;
    setFocus(Qt::OtherFocusReason);
    if (!m_arrivalReported && onFocusIn)
        onFocusIn();
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (onEnter)
            onEnter();
        event->accept();
        return;
    }
    const QString text = event->text();
    // Delete arrives as the character 0x7f on some platforms; it is an editing key, not typing.
    const bool typed = !text.isEmpty() && event->key() != Qt::Key_Delete;
    if (!typed) {
        if (onKeyDown && onKeyDown(event->key())) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Backspace || entryCharAllowed(text.front())) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Letters, blanks, commas, control characters (so Ctrl+C/V/X too), full-width text.
    event->accept();
}

void EntryField::inputMethodEvent(QInputMethodEvent* event)
{
    QString kept;
    for (QChar c : event->commitString())
        if (entryCharAllowed(c) && c != QChar(u'\b'))
            kept += c;
    if (kept == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&filtered);
}

void EntryField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    if (!isUserMove(event->reason()))
        return;
    m_arrivalReported = true;
    if (onFocusIn)
        onFocusIn();
    // A field whose handler selected nothing keeps the caret where the user clicked.
    m_keepAfterClick = event->reason() == Qt::MouseFocusReason && hasSelectedText();
    if (m_keepAfterClick) {
        m_keptStart = selectionStart();
        m_keptLength = selectionLength();
        m_keptCaretAtStart = cursorPosition() == m_keptStart;
    }
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_keepAfterClick = false;
    if (isUserMove(event->reason()) && onFocusOut)
        onFocusOut();
}

void EntryField::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    if (m_keepAfterClick) {
        m_keepAfterClick = false;
        if (m_keptCaretAtStart)
            setSelection(m_keptStart + m_keptLength, -m_keptLength);
        else
            setSelection(m_keptStart, m_keptLength);
    }
}

} // namespace kz::ui
