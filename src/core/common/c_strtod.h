// SPDX-License-Identifier: MIT
#pragma once
// strtod in the C locale, whatever the user's locale says: "." is the decimal point. Each
// platform names its locale-taking strtod differently (c_strtod_posix.cpp, c_strtod_win.cpp).

namespace kz {

double strtodC(const char* text);

} // namespace kz
