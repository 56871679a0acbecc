// SPDX-License-Identifier: MIT
#pragma once
// The answer to {"id": …, "family": {…}}: the heirs, their shares and marks, the renouncers,
// the count and shares for the tax and the basic deduction. No Qt here.
#include "core/case/reader.h"

#include <string>

namespace kz::cli {

// Appends "family":{…} to `out`; a family the model refuses is a CaseError with its words.
void writeFamily(std::string& out, const cases::Reader& read, const cases::json::Value& family);

} // namespace kz::cli
