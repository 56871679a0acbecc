// SPDX-License-Identifier: MIT
#pragma once
// The JSON front end of one case: a line of JSON Lines in, its answer line out. No Qt here.
#include "core/case/json.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace kz::cli {

inline constexpr std::size_t kMaxLineBytes = cases::json::kMaxCaseBytes;

struct Answer {
    std::string json; // one line, without its newline
    bool error = false;
};

// `line` is the line's text without its end; lineNumber counts from 1.
Answer answer(std::string_view line, long lineNumber);
// The answer to a line longer than kMaxLineBytes, which is not read.
Answer tooLong(long lineNumber);

} // namespace kz::cli
