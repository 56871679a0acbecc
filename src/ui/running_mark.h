// SPDX-License-Identifier: MIT
#pragma once
// What tells an uninstaller that the program runs: on Windows a named mutex, held until the
// process ends (running_mark_win.cpp), which the uninstaller looks for before it removes a
// file; a running program's files would otherwise be left behind. Nothing on Linux, where a
// package manager replaces files in use (running_mark_posix.cpp).

namespace kz::ui {

// The mutex's name, as data/windows/installer.nsi asks for it.
inline constexpr const wchar_t* kRunningMark = L"Kazenoha.Running";

void markRunning();

} // namespace kz::ui
