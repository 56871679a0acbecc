// SPDX-License-Identifier: MIT
#include "ui/icons.h"

#include <QPainter>

using namespace Qt::StringLiterals;

namespace kz::ui {

QIcon programIcon()
{
    // Only the small sizes: X copies each one into every window's _NET_WM_ICON property, and a
    // desktop that wants a large icon takes the installed theme icon named in the desktop entry.
    QIcon icon;
    for (int size : {16, 24, 32, 48})
        icon.addPixmap(programPixmap(size));
    return icon;
}

QPixmap printerPixmap()
{
    QPixmap pm(24, 23);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QColor dark(64, 64, 64);
    p.setPen(dark);
    p.setBrush(Qt::white);
    p.drawRect(6, 1, 11, 8);                 // paper going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 8, 21, 9);                 // body
    p.setBrush(Qt::white);
    p.drawRect(5, 14, 13, 7);                // paper coming out
    p.drawLine(7, 17, 15, 17);
    p.drawLine(7, 19, 13, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(18, 10, 2, 2);                // power lamp
    return pm;
}

} // namespace kz::ui
