// SPDX-License-Identifier: MIT
#pragma once

namespace kz {

// The entry fields of both calculators accept digits, '-', '.' and Backspace only.
constexpr bool entryCharAllowed(char32_t c)
{
    return (c >= U'0' && c <= U'9') || c == U'-' || c == U'.' || c == U'\b';
}

} // namespace kz
