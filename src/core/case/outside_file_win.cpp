// SPDX-License-Identifier: MIT
#include "core/case/outside_file.h"

#include <algorithm>

#include <windows.h>

namespace kz::cases {

namespace {

constexpr std::size_t kChunk = 64 << 10;

std::string systemWords(DWORD err)
{
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, err, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out;
    if (n && text) {
        const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
        out.resize(static_cast<std::size_t>(bytes));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(n), out.data(), bytes, nullptr, nullptr);
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
            out.pop_back();
    }
    LocalFree(text);
    return out.empty() ? "error " + std::to_string(err) : out;
}

OutsideFile failed(OutsideFile::Fault fault, DWORD err = 0)
{
    OutsideFile f;
    f.fault = fault;
    if (err)
        f.error = systemWords(err);
    return f;
}

OutsideFile fromError(DWORD err)
{
    switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return failed(OutsideFile::Fault::Missing);
    case ERROR_ACCESS_DENIED: return failed(OutsideFile::Fault::Denied);
    case ERROR_PIPE_BUSY: return failed(OutsideFile::Fault::NotAFile);
    default: return failed(OutsideFile::Fault::Unreadable, err);
    }
}

struct Handle {
    HANDLE h;
    ~Handle()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};

} // namespace

OutsideFile readOutsideFile(const std::filesystem::path& path,
                            const std::function<std::size_t(std::string_view start)>& limitFor)
{
    // A folder opens only with backup semantics; without them it reads as "access denied".
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return failed(OutsideFile::Fault::Folder);
    const Handle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.h == INVALID_HANDLE_VALUE)
        return fromError(GetLastError());
    // A named pipe, a console, a serial port: only a file on a disk has an end.
    if (GetFileType(file.h) != FILE_TYPE_DISK)
        return failed(OutsideFile::Fault::NotAFile);

    LARGE_INTEGER size{};
    GetFileSizeEx(file.h, &size);
    OutsideFile out;
    bool limited = false;
    std::size_t cap = kChunk; // until the first read has said what the file is
    while (out.bytes.size() < cap) {
        const std::size_t at = out.bytes.size();
        out.bytes.resize(at + std::min(cap - at, kChunk));
        DWORD n = 0;
        const BOOL ok = ReadFile(file.h, out.bytes.data() + at, static_cast<DWORD>(out.bytes.size() - at), &n, nullptr);
        out.bytes.resize(at + n);
        if (!ok)
            return fromError(GetLastError());
        if (!limited) {
            out.limit = limitFor(out.bytes);
            cap = out.limit + 1;
            limited = true;
            if (out.bytes.size() > cap)
                out.bytes.resize(cap);
            // A file's size is true when read: a larger one is refused unread.
            if (static_cast<unsigned long long>(size.QuadPart) > out.limit)
                break;
        }
        if (n == 0)
            break;
    }
    if (out.bytes.size() > out.limit || static_cast<unsigned long long>(size.QuadPart) > out.limit)
        out.fault = OutsideFile::Fault::TooLarge;
    return out;
}

} // namespace kz::cases
