// SPDX-License-Identifier: MIT
#include "core/common/c_strtod.h"

#include <cstdlib>

#include <locale.h>

namespace kz {

double strtodC(const char* text)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
    return strtod_l(text, nullptr, c);
}

} // namespace kz
