// SPDX-License-Identifier: MIT
#include "ui/file_sync.h"

#include <cerrno>

#include <unistd.h>

namespace kz::ui {

bool syncFile(int fd) { return ::fsync(fd) == 0; }

bool meansNoRoom(int err) { return err == ENOSPC || err == EDQUOT; }

} // namespace kz::ui
