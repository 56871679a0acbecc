// SPDX-License-Identifier: MIT
#pragma once
// `kazenoha --compute FILE|-`: JSON Lines in, one answer line out for each, through the
// windows' models. It runs before any Qt object exists and needs no display.
#include <cstdio>

namespace kz::cli {

// Whether the command line asks for --compute (before a "--").
bool wantsCompute(int argc, char** argv);

// The whole run; returns the exit status: 0 every line computed, 1 some line answered with
// an error, 2 the command line was wrong, the input could not be read or an answer could
// not be written (a full device, a closed pipe: the run stops there, with one line on stderr).
int computeMain(int argc, char** argv);

inline constexpr int kReadError = -1, kWriteError = -2;

// Answers every line read from `fd` on `out`. Returns 0 or 1 as above, or kReadError or
// kWriteError (errno tells why); a write error ends the run at once, whatever input is left.
int computeStream(int fd, std::FILE* out);

} // namespace kz::cli
