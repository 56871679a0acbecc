// SPDX-License-Identifier: MIT
#include "ui/file_sync.h"

#include <unistd.h>

namespace kz::ui {

bool syncFile(int fd) { return ::fsync(fd) == 0; }

} // namespace kz::ui
