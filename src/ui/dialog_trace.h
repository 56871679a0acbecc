// SPDX-License-Identifier: MIT
#pragma once
// Qt's file dialog keeps its state (the folders last visited, their history, the view) in the
// settings of every Qt program: on Windows in the registry under HKCU\Software\QtProject,
// which QSettings::setPath does not redirect, written when the dialog is destroyed. The
// program writes nothing but the files the user chose, so that trace is taken away again
// (dialog_trace_win.cpp); on Linux the settings' path leads nowhere (keepNoSettings) and
// there is nothing to take away (dialog_trace_posix.cpp).

namespace kz::ui {

// Declared before a file dialog in the same scope: destroyed after it, it removes what the
// dialog wrote, leaving what another Qt program had kept there before.
class DialogTrace {
public:
    DialogTrace();
    ~DialogTrace();
    DialogTrace(const DialogTrace&) = delete;
    DialogTrace& operator=(const DialogTrace&) = delete;

private:
    // Read only by the Windows piece.
    [[maybe_unused]] bool hadProject_ = false; // HKCU\Software\QtProject
    [[maybe_unused]] bool hadDialog_ = false;  // …\OrganizationDefaults\FileDialog
};

} // namespace kz::ui
