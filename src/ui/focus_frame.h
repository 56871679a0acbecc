// SPDX-License-Identifier: MIT
#pragma once
// The one focus indication of every control: a 2-px navy rectangle just inside the
// control's edge. The style's own cue is a 1-px line of low contrast on yellow and cyan,
// and it shows only after a Tab move; this one shows wherever the focus is.
#include <QColor>
#include <QPainter>
#include <QRect>

namespace kz::ui {

inline constexpr QRgb kFocusColour = 0xff000080; // navy
inline constexpr int kFocusWidth = 2;

// Fills the frame's four sides inside `r`, pixel-exact whatever the painter's pen.
inline void paintFocusFrame(QPainter& p, const QRect& r)
{
    const QColor c = QColor::fromRgb(kFocusColour);
    const int w = kFocusWidth;
    p.fillRect(QRect(r.left(), r.top(), r.width(), w), c);
    p.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), c);
    p.fillRect(QRect(r.left(), r.top() + w, w, r.height() - 2 * w), c);
    p.fillRect(QRect(r.right() - w + 1, r.top() + w, w, r.height() - 2 * w), c);
}

} // namespace kz::ui
