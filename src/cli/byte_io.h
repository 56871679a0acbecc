// SPDX-License-Identifier: MIT
#pragma once
// The batch front end's input and output as plain bytes on every platform: Windows' C library
// would otherwise read CR LF as LF and stop at a Ctrl-Z byte, and write LF as CR LF
// (byte_io_posix.cpp, byte_io_win.cpp).
#include <cstddef>
#include <cstdio>
#include <string_view>

namespace kz::cli {

// The file at `path`, or standard input for "-"; -1 with errno set when it cannot be opened.
int openBytes(const char* path);
// As POSIX read(): the count read, 0 at the end, -1 with errno set.
std::ptrdiff_t readBytes(int fd, char* buffer, std::size_t size);
void closeBytes(int fd);
// Makes `out` write its bytes as given, and a reader that went away a write error like a
// full device (EPIPE), not a silent death.
void writeBytes(std::FILE* out);
// Writes UTF-8 text and a line end to `out`: as bytes to a file or a pipe (the same bytes on
// every platform), and to a Windows console as UTF-16, which it shows whatever its code page
// (cp932 would garble UTF-8 bytes). False on a write error.
bool writeLine(std::FILE* out, std::string_view utf8);

} // namespace kz::cli
