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

    int error = 0;
    const auto readSome = [&](char* buffer, std::size_t n) -> std::optional<std::size_t> {
        for (;;) {
            const ssize_t got = ::read(file.fd, buffer, n);
            if (got >= 0)
                return static_cast<std::size_t>(got);
            if (errno != EINTR) {
                error = errno;
                return std::nullopt;
            }
        }
    };
    if (auto out = readBounded(static_cast<std::uintmax_t>(st.st_size), readSome, limitFor))
        return *out;
    return fromErrno(error);
}

} // namespace kz::cases
