// SPDX-License-Identifier: MIT
#include "core/case/outside_file.h"

#include <algorithm>

#include <windows.h>

namespace kz::cases {

namespace {


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
    DWORD error = 0;
    const auto readSome = [&](char* buffer, std::size_t n) -> std::optional<std::size_t> {
        DWORD got = 0;
        if (!ReadFile(file.h, buffer, static_cast<DWORD>(n), &got, nullptr)) {
            error = GetLastError();
            return std::nullopt;
        }
        return got;
    };
    if (auto out = readBounded(static_cast<std::uintmax_t>(size.QuadPart), readSome, limitFor))
        return *out;
    return fromError(error);
}

} // namespace kz::cases
