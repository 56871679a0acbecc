// SPDX-License-Identifier: MIT
#include "core/common/c_strtod.h"

#include <cstdlib>

#include <locale.h>

namespace kz {

double strtodC(const char* text)
{
    static const _locale_t c = _create_locale(LC_ALL, "C");
    return _strtod_l(text, nullptr, c);
}

} // namespace kz
