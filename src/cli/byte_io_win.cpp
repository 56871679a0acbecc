// SPDX-License-Identifier: MIT
#include "cli/byte_io.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include <fcntl.h>
#include <io.h>

namespace kz::cli {

int openBytes(const char* path)
{
    if (std::string_view(path) == "-") {
        _setmode(0, _O_BINARY);
        return 0;
    }
    // The name is UTF-8: the program's manifest makes that the process's code page.
    return _open(path, _O_RDONLY | _O_BINARY);
}

std::ptrdiff_t readBytes(int fd, char* buffer, std::size_t size)
{
    return _read(fd, buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX)));
}

void closeBytes(int fd) { _close(fd); }

void writeBytes(std::FILE* out) { _setmode(_fileno(out), _O_BINARY); }

} // namespace kz::cli
