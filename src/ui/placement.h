// SPDX-License-Identifier: MIT
#pragma once
// Where a window stands on its screen, and its content scrolled where the screen is smaller.
#include <QtCore/qnamespace.h>

class QRect;
class QWidget;

namespace kz::ui {

// The frame of the program's fixed-size windows: a title, minimise and close, no maximise.
inline constexpr Qt::WindowFlags kFixedWindow{Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint};

// Moves a window before it is shown: across, the free width divided by acrossDiv (0 for
// flush right); down, the free height divided by downDiv. A window larger than its screen's
// available area is made as large as fits and placed inside that area; its stated content
// then scrolls, and follows the focus, so that every control can be seen and reached.
void placeOnScreen(QWidget* window, int acrossDiv, int downDiv);

// The widget that holds a window's stated content at its stated size: the window itself, or
// the scrolled content of a window larger than its screen.
QWidget* statedContent(QWidget* window);

// Where the window's content scrolls, brings `area` of `box` (in its coordinates) into sight,
// as the focus is: for what an action shows away from the control that has the focus.
void showInView(QWidget* box, const QRect& area);

} // namespace kz::ui
