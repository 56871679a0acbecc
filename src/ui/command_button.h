// SPDX-License-Identifier: MIT
#pragma once
#include <QPushButton>

#include <functional>

namespace kz::ui {

// A push button that a focused Enter presses as Space does, as users of these
// calculators expect; other typed characters can be handed to the view.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    explicit CommandButton(const QString& text, QWidget* parent = nullptr);

    // A typed character other than Enter (Backspace and Escape included), while the button
    // has the focus; Space comes here first and then presses the button.
    std::function<void(QChar c)> onCharTyped;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// Names a command's key where a user looks for it: its tooltip reads "計算過程（F2）" and
// its accessible description "F2".
void showKey(QAbstractButton* button, QKeyCombination key);

// showKey, and the key, anywhere in `window`, acts as a click does: the button takes the
// focus first, so that the field under edit is left, and its amount stored, before the
// command reads it.
void bindKey(QAbstractButton* button, QKeyCombination key, QWidget* window);

} // namespace kz::ui
