// SPDX-License-Identifier: MIT
#include "ui/file_sync.h"

#include <cerrno>

#include <io.h>

namespace kz::ui {

// Qt hands out a C library descriptor for its file handle; _commit flushes the file's buffers.
bool syncFile(int fd) { return _commit(fd) == 0; }

bool meansNoRoom(int err) { return err == ENOSPC; }

} // namespace kz::ui
