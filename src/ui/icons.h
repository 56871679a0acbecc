// SPDX-License-Identifier: MIT
#pragma once
#include <QIcon>
#include <QPixmap>

namespace kz::ui {

// The program's icon, rendered from the SVG file that is also installed for the desktop.
QIcon programIcon();
QPixmap programPixmap(int size);

// The 24 x 23 printer bitmap of the print buttons.
QPixmap printerPixmap();

} // namespace kz::ui
