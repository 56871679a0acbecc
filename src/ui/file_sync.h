// SPDX-License-Identifier: MIT
#pragma once
// What saving a file asks of the platform (file_sync_posix.cpp, file_sync_win.cpp).

namespace kz::ui {

// Puts what was written through a C file descriptor onto the disk (fsync, on Windows
// _commit); false with errno set.
bool syncFile(int fd);

// Whether errno `err` says the device or the user's quota is full (Windows has no EDQUOT).
bool meansNoRoom(int err);

} // namespace kz::ui
