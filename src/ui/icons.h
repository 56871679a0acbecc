#pragma once
#include <QIcon>
#include <QPixmap>

namespace kz::ui {

// The program's own icon, drawn at 16, 32 and 256 pixels: a leaf carried by the wind.
QIcon programIcon();
QPixmap programPixmap(int size);

// The 24 x 23 printer bitmap of the print buttons.
QPixmap printerPixmap();

} // namespace kz::ui
