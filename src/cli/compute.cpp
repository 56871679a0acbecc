// SPDX-License-Identifier: MIT
#include "cli/compute.h"

#include "cli/answer.h"
#include "cli/byte_io.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace kz::cli {

namespace {

constexpr std::string_view kOption = "--compute";

// Printed in pieces: GCC 12 at -O3 warns falsely of overlapping copies in "…" + std::string.
int usage(const char* why, std::string_view arg = "", const char* after = "")
{
    std::fprintf(stderr, "kazenoha: %s%.*s%s\nUsage: kazenoha --compute FILE   (FILE - reads standard input)\n", why,
                 static_cast<int>(arg.size()), arg.data(), after);
    return 2;
}

} // namespace

bool wantsCompute(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            return false;
        if (arg == kOption || arg.starts_with("--compute="))
            return true;
    }
    return false;
}

int computeStream(int fd, std::FILE* out)
{
    std::vector<char> chunk(1 << 16);
    std::string line;
    bool overLong = false, anyError = false;
    long number = 0;
    auto emit = [&] {
        ++number;
        if (!overLong && line.ends_with('\r'))
            line.pop_back();
        overLong = overLong || line.size() > kMaxLineBytes;
        const Answer a = overLong ? tooLong(number) : answer(line, number);
        anyError = anyError || a.error;
        const bool written = writeLine(out, a.json);
        line.clear();
        overLong = false;
        return written;
    };
    for (;;) {
        // Whatever is answered goes out before waiting for more: a program that writes one
        // case and waits for its answer gets it.
        if (std::fflush(out) != 0)
            return kWriteError;
        const std::ptrdiff_t got = readBytes(fd, chunk.data(), chunk.size());
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return kReadError;
        }
        if (got == 0)
            break;
        std::string_view rest(chunk.data(), static_cast<std::size_t>(got));
        while (!rest.empty()) {
            const std::size_t end = rest.find('\n');
            const std::string_view piece = rest.substr(0, end);
            // A line over the limit (and its "\r") is skipped to its end, not kept: memory stays bounded.
            if (!overLong && line.size() + piece.size() > kMaxLineBytes + 1) {
                overLong = true;
                line.clear();
            }
            if (!overLong)
                line += piece;
            if (end == std::string_view::npos)
                break;
            // An answer that cannot be delivered ends the run: the rest would be lost too.
            if (!emit())
                return kWriteError;
            rest.remove_prefix(end + 1);
        }
    }
    if ((!line.empty() || overLong) && !emit())
        return kWriteError;
    if (std::fflush(out) != 0)
        return kWriteError;
    return anyError ? 1 : 0;
}

int computeMain(int argc, char** argv)
{
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (path)
            return usage("unexpected argument '", arg, "' after --compute's file");
        if (arg == kOption) {
            if (i + 1 == argc)
                return usage("--compute needs a file name or -");
            path = argv[++i];
        } else if (arg.starts_with("--compute=")) {
            path = argv[i] + kOption.size() + 1;
        } else {
            return usage("'", arg, "' does not go with --compute");
        }
    }
    const bool standardInput = std::string_view(path) == "-";
    const int fd = openBytes(path);
    if (fd < 0) {
        std::fprintf(stderr, "kazenoha: cannot read '%s': %s\n", path, std::strerror(errno));
        return 2;
    }
    static char buffer[1 << 16];
    writeBytes(stdout);
    std::setvbuf(stdout, buffer, _IOFBF, sizeof buffer);
    const int status = computeStream(fd, stdout);
    const int error = errno;
    if (!standardInput)
        closeBytes(fd);
    if (status == kReadError) {
        std::fprintf(stderr, "kazenoha: cannot read '%s': %s\n", path, std::strerror(error));
        return 2;
    }
    if (status == kWriteError) {
        std::fprintf(stderr, "kazenoha: cannot write the answers: %s\n", std::strerror(error));
        return 2;
    }
    return status;
}

} // namespace kz::cli
