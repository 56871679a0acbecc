// SPDX-License-Identifier: MIT
#pragma once
// Reading a file that came from outside (a colleague's mail, a USB stick): it may be a pipe
// that never ends, a link to a device, or claim a size it does not have. Whatever it is, the
// reading ends at once or after at most a bounded number of bytes (outside_file_posix.cpp,
// outside_file_win.cpp). No Qt here.
#include <cstddef>
#include <filesystem>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kz::cases {

struct OutsideFile {
    enum class Fault {
        None,
        Missing,    // no such file
        Folder,     // a folder
        NotAFile,   // a pipe, a device, a socket: anything but a regular file, links followed
        Denied,     // not allowed to read
        Unreadable, // the system's error while opening or reading: `error`
        TooLarge,   // more bytes than the limit; `bytes` then holds limit + 1 of them
    };
    Fault fault = Fault::None;
    std::string bytes;
    std::string error; // the system's words for Unreadable
    std::size_t limit = 0; // the limit that applied, for the user's words
};

// The file's bytes, at most limitFor(start) + 1 of them whatever size the file claims, where
// `start` is what the first read gave (up to 64 KiB): a file's first bytes say what it is
// and so how large it may be. Opens without waiting (a FIFO with no writer returns at once).
OutsideFile readOutsideFile(const std::filesystem::path& path,
                            const std::function<std::size_t(std::string_view start)>& limitFor);

// The bounded read both platform pieces share, on a regular file of `size` bytes as its system
// says: `readSome(buffer, n)` reads up to n bytes and gives how many (0 at the end), or nothing
// on an error, which the piece keeps and tells.
std::optional<OutsideFile> readBounded(std::uintmax_t size,
                                       const std::function<std::optional<std::size_t>(char*, std::size_t)>& readSome,
                                       const std::function<std::size_t(std::string_view start)>& limitFor);

} // namespace kz::cases
