// SPDX-License-Identifier: MIT
#include "ui/running_mark.h"

namespace kz::ui {

void markRunning() {}

} // namespace kz::ui
