// SPDX-License-Identifier: MIT
#pragma once
// Every window exists at most once: the menu and the windows ask for one another by kind, so
// that no window library has to know another.
#include <QtCore/qnamespace.h>

#include <functional>

class QObject;
class QWidget;

namespace kz::ui {

enum class WindowKind {
    Menu,
    TaxSheet,
    Coefficients,
    About,
    TermsHelp,
    SecondStudy,
    // 計算過程 of each calculator: registered by its window's file commands while it is open.
    TaxSteps,
    CoefficientSteps,
    StudySteps,
    Assets, // 財産の内訳 beside the tax sheet; registered by the sheet
    TaxFamily, // 相続人の判定 beside the tax sheet; registered by the sheet
};

using WindowFactory = std::function<QWidget*()>;
// `owner`: the object whose factory it is; unregisterWindow removes it only for that owner,
// so that a window going does not take its successor's factory with it.
void registerWindow(WindowKind kind, WindowFactory factory, const QObject* owner = nullptr);
void unregisterWindow(WindowKind kind, const QObject* owner);

// Shows the open window of this kind, raised and active, or creates it first.
// The window is destroyed when it closes (Qt::WA_DeleteOnClose).
QWidget* showWindow(WindowKind kind);

// The open window of this kind, or nullptr.
QWidget* openWindow(WindowKind kind);

} // namespace kz::ui
