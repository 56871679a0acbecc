// SPDX-License-Identifier: MIT
#include "core/case/outside_file.h"

#include <algorithm>

namespace kz::cases {

namespace {
constexpr std::size_t kChunk = 64 << 10;
}

std::optional<OutsideFile> readBounded(std::uintmax_t size,
                                       const std::function<std::optional<std::size_t>(char*, std::size_t)>& readSome,
                                       const std::function<std::size_t(std::string_view start)>& limitFor)
{
    OutsideFile out;
    bool limited = false;
    std::size_t cap = kChunk; // until the first read has said what the file is
    while (out.bytes.size() < cap) {
        const std::size_t at = out.bytes.size();
        out.bytes.resize(at + std::min(cap - at, kChunk));
        const std::optional<std::size_t> n = readSome(out.bytes.data() + at, out.bytes.size() - at);
        out.bytes.resize(at + n.value_or(0));
        if (!n)
            return std::nullopt;
        if (!limited) {
            out.limit = limitFor(out.bytes);
            cap = out.limit + 1;
            limited = true;
            if (out.bytes.size() > cap)
                out.bytes.resize(cap);
            // A regular file's size is true when read: a larger one is refused unread.
            if (size > out.limit)
                break;
        }
        if (*n == 0)
            break;
    }
    if (out.bytes.size() > out.limit || size > out.limit)
        out.fault = OutsideFile::Fault::TooLarge;
    return out;
}

} // namespace kz::cases
