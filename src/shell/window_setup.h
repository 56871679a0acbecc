// SPDX-License-Identifier: MIT
#pragma once

namespace kz::shell {

// Tells the window registry how to create each kind of window.
void registerWindows();

} // namespace kz::shell
