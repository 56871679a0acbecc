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

bool writeLine(std::FILE* out, std::string_view utf8)
{
    std::fwrite(utf8.data(), 1, utf8.size(), out);
    std::fputc('\n', out);
    return !std::ferror(out);
}

} // namespace kz::cli
