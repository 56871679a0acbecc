// SPDX-License-Identifier: MIT
#include "ui/running_mark.h"

#include <windows.h>

namespace kz::ui {

// Never closed: Windows closes it when the process ends, however it ends.
void markRunning() { CreateMutexW(nullptr, FALSE, kRunningMark); }

} // namespace kz::ui
