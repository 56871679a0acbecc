// SPDX-License-Identifier: MIT
#include "ui/heap_trim.h"

#include <malloc.h>

namespace kz::ui {

void trimHeap() { malloc_trim(0); }

} // namespace kz::ui
