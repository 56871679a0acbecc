// SPDX-License-Identifier: MIT
#include "core/case/outside_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kz::cases {

namespace {

constexpr std::size_t kChunk = 64 << 10;

OutsideFile failed(OutsideFile::Fault fault, int err = 0)
{
    OutsideFile f;
    f.fault = fault;
    if (err)
        f.error = std::strerror(err);
    return f;
}

OutsideFile fromErrno(int err)
{
    switch (err) {
    case ENOENT:
    case ENOTDIR: return failed(OutsideFile::Fault::Missing);
    case EACCES:
    case EPERM: return failed(OutsideFile::Fault::Denied);
    case ENXIO: // a socket, or a device with nothing behind it
    case ENODEV: return failed(OutsideFile::Fault::NotAFile);
    case EISDIR: return failed(OutsideFile::Fault::Folder);
    default: return failed(OutsideFile::Fault::Unreadable, err);
    }
}

struct Fd {
    int fd;
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

OutsideFile readOutsideFile(const std::filesystem::path& path,
                            const std::function<std::size_t(std::string_view start)>& limitFor)
{
    // O_NONBLOCK: opening a FIFO waits for a writer without it; O_NOCTTY: a terminal device
    // named by a link must not become ours. Both are harmless for a regular file.
    const Fd file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)};
    if (file.fd < 0)
        return fromErrno(errno);
    // What was opened, not what the name said a moment before: no race with a swapped link.
    struct stat st {};
    if (::fstat(file.fd, &st) != 0)
        return fromErrno(errno);
    if (S_ISDIR(st.st_mode))
        return failed(OutsideFile::Fault::Folder);
    if (!S_ISREG(st.st_mode))
        return failed(OutsideFile::Fault::NotAFile);
    // A regular file never blocks; taking the flag off keeps a network file system's slow
    // read from coming back as EAGAIN.
    ::fcntl(file.fd, F_SETFL, ::fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);

    OutsideFile out;
    bool limited = false;
    std::size_t cap = kChunk; // until the first read has said what the file is
    while (out.bytes.size() < cap) {
        const std::size_t at = out.bytes.size();
        out.bytes.resize(at + std::min(cap - at, kChunk));
        const ssize_t n = ::read(file.fd, out.bytes.data() + at, out.bytes.size() - at);
        out.bytes.resize(at + static_cast<std::size_t>(n > 0 ? n : 0));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return fromErrno(errno);
        if (!limited) {
            out.limit = limitFor(out.bytes);
            cap = out.limit + 1;
            limited = true;
            if (out.bytes.size() > cap)
                out.bytes.resize(cap);
            // A regular file's size is true when read: a larger one is refused unread.
            if (static_cast<std::uintmax_t>(st.st_size) > out.limit)
                break;
        }
        if (n == 0)
            break;
    }
    if (out.bytes.size() > out.limit || static_cast<std::uintmax_t>(st.st_size) > out.limit)
        out.fault = OutsideFile::Fault::TooLarge;
    return out;
}

} // namespace kz::cases
