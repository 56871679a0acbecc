// SPDX-License-Identifier: MIT
#include "ui/entry_field.h"

#include "core/common/entry_filter.h"
#include "ui/text_fit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>

namespace kz::ui {

namespace {

bool isUserMove(Qt::FocusReason reason)
{
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

// The fields the user is in, at most one per window.
QList<EntryField*>& insideFields()
{
    static QList<EntryField*> fields;
    return fields;
}

} // namespace

bool entryCharAllowed(QChar c) { return kz::entryCharAllowed(c.unicode()); }

EntryField::EntryField(QWidget* parent)
    : QLineEdit(parent)
{
    setFrame(true);
    // Text dropped from another program would change the field without entering or leaving
    // it and without the filter: the field would show one figure and the sheet compute with
    // another. Typing, the input method and pasting (committed on leaving) stay the ways in.
    setAcceptDrops(false);
    // Numbers only: in kana mode the input method would send full-width digits that the
    // filter discards, and swallow Enter. A view may switch it back on.
    setInputMethodAllowed(false);
    fitText(this);
    static const bool watching = [] {
        QObject::connect(qApp, &QApplication::focusChanged, qApp,
                         [](QWidget*, QWidget* now) { focusChanged(now); });
        return true;
    }();
    (void)watching;
}

EntryField::~EntryField() { insideFields().removeAll(this); }

void EntryField::arrive()
{
    arrivalReported_ = true;
    if (!inside_) {
        inside_ = true;
        insideFields().append(this);
    }
    if (onFocusIn)
        onFocusIn();
    untouched_ = true;
}

void EntryField::leave()
{
    inside_ = false;
    untouched_ = false;
    insideFields().removeAll(this);
    if (onFocusOut)
        onFocusOut();
}

void EntryField::leaveFieldUnderEdit(const QWidget* window)
{
    const QList<EntryField*> inside = insideFields();
    for (EntryField* f : inside)
        if (f->window() == window)
            f->leave();
}

// Runs after the focus events of every focus change; it only has work where those events
// were activation-only and so reported nothing.
void EntryField::focusChanged(QWidget* now)
{
    if (!now)
        return;
    const QWidget* window = now->window();
    const QList<EntryField*> inside = insideFields();
    for (EntryField* f : inside)
        if (f != now && f->window() == window)
            f->leave();
    auto* reached = qobject_cast<EntryField*>(now);
    if (reached && !reached->inside_)
        reached->arrive();
}

void EntryField::setInputMethodAllowed(bool allowed)
{
    setAttribute(Qt::WA_InputMethodEnabled, allowed);
}

void EntryField::enter()
{
    arrivalReported_ = false;
    setFocus(Qt::OtherFocusReason);
    if (arrivalReported_)
        return;
    // No focus event came: leave the field under edit in this window by hand, then arrive.
    const QList<EntryField*> inside = insideFields();
    for (EntryField* f : inside)
        if (f != this && f->window() == window())
            f->leave();
    arrive();
}

int pageTurn(const QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier))
        return 0;
    switch (event->key()) {
    case Qt::Key_Tab: return event->modifiers() & Qt::ShiftModifier ? -1 : 1;
    case Qt::Key_Backtab: return -1;
    case Qt::Key_PageDown: return 1;
    case Qt::Key_PageUp: return -1;
    default: return 0;
    }
}

void EntryField::keyPressEvent(QKeyEvent* event)
{
    // Shift or Ctrl held for a click is no edit.
    if (event->key() != Qt::Key_Shift && event->key() != Qt::Key_Control && event->key() != Qt::Key_Alt
        && event->key() != Qt::Key_Meta)
        untouched_ = false;
    // Ctrl+Tab and Ctrl+PageUp/Down belong to a tab control around the field, if any.
    if (pageTurn(event) != 0) {
        event->ignore();
        return;
    }
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
    untouched_ = false;
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
    arrive();
    // A field whose handler selected nothing keeps the caret where the user clicked.
    keepAfterClick_ = event->reason() == Qt::MouseFocusReason && hasSelectedText();
    if (keepAfterClick_) {
        keptStart_ = selectionStart();
        keptLength_ = selectionLength();
        keptCaretAtStart_ = cursorPosition() == keptStart_;
    }
}

void EntryField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    keepAfterClick_ = false;
    pressHeld_ = false;
    if (isUserMove(event->reason()))
        leave();
}

// The first click into the field that arrived with its whole text selected keeps that
// selection: a user who clicks into the field already in use means to type into it, and a
// caret after its "0" would turn 100000 into 1,000,000. A second click, a double click and
// a drag edit as usual.
void EntryField::mousePressEvent(QMouseEvent* event)
{
    const bool wholeSelected = !text().isEmpty() && selectedText() == text();
    // Also the click that activates the window: the field it holds the focus for gets it
    // only with the activation, after the press.
    if (!keepAfterClick_ && untouched_ && wholeSelected && event->button() == Qt::LeftButton) {
        untouched_ = false;
        pressHeld_ = true;
        heldAt_ = event->position();
        event->accept();
        return;
    }
    if (!keepAfterClick_)
        untouched_ = false;
    QLineEdit::mousePressEvent(event);
    if (keepAfterClick_) {
        keepAfterClick_ = false;
        if (keptCaretAtStart_)
            setSelection(keptStart_ + keptLength_, -keptLength_);
        else
            setSelection(keptStart_, keptLength_);
    }
}

void EntryField::mouseMoveEvent(QMouseEvent* event)
{
    if (pressHeld_ && (event->buttons() & Qt::LeftButton)
        && (event->position() - heldAt_).manhattanLength() >= QApplication::startDragDistance()) {
        pressHeld_ = false;
        QMouseEvent press(QEvent::MouseButtonPress, heldAt_, mapToGlobal(heldAt_), Qt::LeftButton,
                          Qt::LeftButton, event->modifiers());
        QLineEdit::mousePressEvent(&press);
    }
    if (!pressHeld_)
        QLineEdit::mouseMoveEvent(event);
}

void EntryField::mouseReleaseEvent(QMouseEvent* event)
{
    pressHeld_ = false;
    QLineEdit::mouseReleaseEvent(event);
}

} // namespace kz::ui
