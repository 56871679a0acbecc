// SPDX-License-Identifier: MIT
#pragma once
#include <QLabel>

#include <functional>

namespace kz::ui {

// A box that looks like a label but acts as a button: the clearing boxes, the "CE" boxes
// and the printer icons. A click, Space or Enter runs onClick; assistive technology sees a
// push button with a press action, named by setAccessibleName. The Tab key reaches it
// (each window puts it behind its own order) while a click leaves the focus where it is,
// as the label did; a window may widen that with setFocusPolicy. With the focus it
// shows the navy frame that every control of these windows shows.
class ActionBox : public QLabel {
    Q_OBJECT
public:
    explicit ActionBox(const QString& text = {}, QWidget* parent = nullptr);

    std::function<void()> onClick;

    // As a click does; the handler may close the window and this box with it.
    void click();

    void setVisible(bool visible) override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
    bool refocus_ = false;
};

// The focus frame of every control (focus_frame.h) over the whole of `w`.
void paintFocusFrame(QWidget* w);

} // namespace kz::ui
