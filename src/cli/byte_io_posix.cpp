// SPDX-License-Identifier: MIT
#include "cli/byte_io.h"

#include <csignal>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

namespace kz::cli {

int openBytes(const char* path) { return std::string_view(path) == "-" ? 0 : open(path, O_RDONLY); }

std::ptrdiff_t readBytes(int fd, char* buffer, std::size_t size) { return read(fd, buffer, size); }

void closeBytes(int fd) { close(fd); }

void writeBytes(std::FILE*) { std::signal(SIGPIPE, SIG_IGN); }

} // namespace kz::cli
