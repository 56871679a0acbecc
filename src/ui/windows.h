// SPDX-License-Identifier: MIT
#pragma once
#include <QtCore/qnamespace.h>

#include <functional>

class QWidget;

namespace kz::ui {

// Every window exists at most once; the menu and the tax sheet ask for them by kind, so
// that no window library has to know another.
enum class WindowKind {
    Menu,
    TaxSheet,
    Coefficients,
    About,
    TermsHelp,
    SecondStudy,
    TaxSteps,         // 計算過程 of the tax sheet; registered by the sheet
    CoefficientSteps, // 計算過程 of the coefficient window; registered by it
    StudySteps,       // 計算過程 of 二次相続; registered by the study
    Assets,           // 財産の内訳 beside the tax sheet; registered by the sheet
};

// The frame of the program's fixed-size windows: a title, minimise and close, no maximise.
inline constexpr Qt::WindowFlags kFixedWindow{Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                              | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint};

using WindowFactory = std::function<QWidget*()>;
void registerWindow(WindowKind kind, WindowFactory factory);

// Shows the open window of this kind, raised and active, or creates it first.
// The window is destroyed when it closes (Qt::WA_DeleteOnClose).
QWidget* showWindow(WindowKind kind);

// The open window of this kind, or nullptr.
QWidget* openWindow(WindowKind kind);

// Moves a window before it is shown: across, the free width divided by acrossDiv (0 for
// flush right); down, the free height divided by downDiv. A window larger than its screen's
// available area is made as large as fits and placed inside that area; its stated content
// then scrolls, and follows the focus, so that every control can be seen and reached.
void placeOnScreen(QWidget* window, int acrossDiv, int downDiv);

// The widget that holds a window's stated content at its stated size: the window itself, or
// the scrolled content of a window larger than its screen.
QWidget* statedContent(QWidget* window);

} // namespace kz::ui
