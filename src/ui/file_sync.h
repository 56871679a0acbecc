// SPDX-License-Identifier: MIT
#pragma once
// Puts what was written through a C file descriptor onto the disk, telling of a failure:
// fsync on POSIX systems, _commit on Windows (file_sync_posix.cpp, file_sync_win.cpp).
// Returns false with errno set.

namespace kz::ui {

bool syncFile(int fd);

} // namespace kz::ui
