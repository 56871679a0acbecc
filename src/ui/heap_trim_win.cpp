// SPDX-License-Identifier: MIT
#include "ui/heap_trim.h"

namespace kz::ui {

// The Windows heap gives whole free regions back by itself.
void trimHeap() {}

} // namespace kz::ui
