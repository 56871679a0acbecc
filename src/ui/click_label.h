#pragma once
#include <QLabel>

#include <functional>

namespace kz::ui {

// A label that acts as a button, like the clearing boxes and the printer icons: a left
// press and release inside it is a click. Like any label it takes no focus unless given
// a focus policy.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text = {}, QWidget* parent = nullptr);

    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool m_pressed = false;
};

} // namespace kz::ui
