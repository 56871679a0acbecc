// SPDX-License-Identifier: MIT
#pragma once
#include <QLineEdit>

#include <functional>

class QKeyEvent;

namespace kz::ui {

// The calculators' text field. It applies the character filter to typed keys and to
// input-method commits (pasting from the context menu stays unfiltered) and reports
// focus and keys to its view, which forwards them to the model.
class EntryField : public QLineEdit {
    Q_OBJECT
public:
    explicit EntryField(QWidget* parent = nullptr);

    // Switches the input method off while the field has the focus.
    void setInputMethodAllowed(bool allowed);

    // Puts the focus here as the user's own move would, and runs onFocusIn even where no
    // focus event reports the arrival: the field has the focus already, or its window is
    // not active yet, so that the focus only comes with the activation, which is no move.
    void enter();
    // Leaves the field under edit in this window now, as a move away would: its amount is
    // stored before the window's model is replaced, not into the new one on a later move.
    static void leaveFieldUnderEdit(const QWidget* window);

    // Focus gained or lost by the user's own moves. Going to another window and back, or
    // through the context menu, is no move and is not reported. A control chosen by a click
    // while the window was inactive gets the focus only with the activation; that is a move
    // all the same: the field under edit is left and the one reached (if any) arrives.
    std::function<void()> onFocusIn;
    std::function<void()> onFocusOut;
    // A non-character key (arrows, Home, ...) before the field sees it; true consumes it.
    std::function<bool(int key)> onKeyDown;
    // Enter or Return; the key itself never reaches the text.
    std::function<void()> onEnter;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    ~EntryField() override;

private:
    void arrive();
    void leave();
    static void focusChanged(QWidget* now);

    bool inside_ = false;          // arrived and not yet left, even while the window is inactive
    bool arrivalReported_ = false; // by a focus event since enter() began
    // The selection that the focus-in handler made when a click brought the focus; the
    // click itself would otherwise replace it with a caret.
    bool keepAfterClick_ = false;
    int keptStart_ = 0;
    int keptLength_ = 0;
    bool keptCaretAtStart_ = false;
    // Nothing typed, clicked or moved since the field arrived: one click into it keeps the
    // arrival's whole selection, so that typing still replaces the "0" it shows.
    bool untouched_ = false;
    // That click's press, passed on only if the button moves on into a drag.
    bool pressHeld_ = false;
    QPointF heldAt_;
};

// Whether a typed character passes the entry filter.
bool entryCharAllowed(QChar c);

// The page a tab control turns to for a key: +1 for Ctrl+Tab and Ctrl+PageDown, -1 for
// Ctrl+Shift+Tab and Ctrl+PageUp, 0 for any other key. A field leaves these keys to the
// tab control around it.
int pageTurn(const QKeyEvent* event);

} // namespace kz::ui
