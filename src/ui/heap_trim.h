// SPDX-License-Identifier: MIT
#pragma once
// Gives the pages of memory freed in the middle of the heap back to the system, where the C
// library keeps them (heap_trim_posix.cpp: glibc; heap_trim_win.cpp: nothing to do).

namespace kz::ui {

void trimHeap();

} // namespace kz::ui
