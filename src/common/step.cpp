// SPDX-License-Identifier: MIT
#include "common/step.h"

namespace kz {

std::string stepLine(const Step& step)
{
    std::string line = step.caption;
    for (const std::string* part : {&step.words, &step.numbers})
        if (!part->empty())
            line += " = " + *part;
    return line + " = " + step.result + step.unit;
}

} // namespace kz
