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

// The frame where the ground under it may be dark (a tab under a dark palette, where navy
// would hardly show): inset by a pixel, with a white pixel on either side of it.
inline void paintFocusFrameOnAnyGround(QPainter& p, const QRect& r)
{
    const QColor white(Qt::white);
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), white);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), white);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), white);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), white);
    const QRect inner = r.adjusted(1 + kFocusWidth, 1 + kFocusWidth, -1 - kFocusWidth, -1 - kFocusWidth);
    p.fillRect(QRect(inner.left(), inner.top(), inner.width(), 1), white);
    p.fillRect(QRect(inner.left(), inner.bottom(), inner.width(), 1), white);
    p.fillRect(QRect(inner.left(), inner.top(), 1, inner.height()), white);
    p.fillRect(QRect(inner.right(), inner.top(), 1, inner.height()), white);
    paintFocusFrame(p, r.adjusted(1, 1, -1, -1));
}

} // namespace kz::ui
