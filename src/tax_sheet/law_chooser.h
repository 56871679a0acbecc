// SPDX-License-Identifier: MIT
#pragma once
// The drop-down in the sheet's heading that chooses the law edition. It lies over the
// heading's bracket and draws nothing of its own until pointed at, focused or open, so
// that the heading reads as one line of text in one font.
//
// Another edition clears every result and the next 納付税額計算 computes another law, so the
// edition changes only by a deliberate choice: never by the wheel, and never by a key while
// the list is closed. Space, Enter, F4 and Alt+Down open the list; there the arrows move,
// Enter or a click chooses and Esc closes it unchanged.
#include <QComboBox>

namespace kz::tax {

class LawChooser : public QComboBox {
    Q_OBJECT
public:
    explicit LawChooser(QWidget* parent = nullptr);

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void showPopup() override;
    void hidePopup() override;

private:
    bool popupOpen_ = false;
};

} // namespace kz::tax
