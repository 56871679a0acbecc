// SPDX-License-Identifier: MIT
#pragma once
#include "terms_help/page_items.h"

#include <span>

namespace kz::terms {

// The six pages of the terms and explanations window, in tab order.
std::span<const PageTable> helpPages();

} // namespace kz::terms
