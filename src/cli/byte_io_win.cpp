// SPDX-License-Identifier: MIT
#include "cli/byte_io.h"

#include <algorithm>
#include <climits>
#include <string_view>

#include <string>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

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

bool writeLine(std::FILE* out, std::string_view utf8)
{
    const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(out)));
    DWORD mode = 0;
    if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) {
        std::fwrite(utf8.data(), 1, utf8.size(), out);
        std::fputc('\n', out);
        return !std::ferror(out);
    }
    std::fflush(out); // what was written as bytes before comes first
    std::wstring wide(utf8.size() + 1, L'\0');
    const int n = utf8.empty() ? 0
                               : MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                                                     static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(n));
    wide += L"\r\n";
    for (std::size_t at = 0; at < wide.size();) {
        DWORD written = 0;
        const auto piece = static_cast<DWORD>(std::min<std::size_t>(wide.size() - at, 8192));
        if (!WriteConsoleW(console, wide.data() + at, piece, &written, nullptr) || written == 0)
            return false;
        at += written;
    }
    return true;
}

} // namespace kz::cli
