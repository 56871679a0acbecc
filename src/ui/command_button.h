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

} // namespace kz::ui
