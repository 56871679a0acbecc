// SPDX-License-Identifier: MIT
#pragma once
class QDialog;
class QWidget;

namespace kz::ui {

// Runs a modal box or dialog, then gives the activation back to `back` (none: nothing):
// without a window manager nothing else gives it back once the box is gone. Returns the
// dialog's result.
int runModal(QDialog& dialog, QWidget* back);

} // namespace kz::ui
