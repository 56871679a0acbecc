// SPDX-License-Identifier: MIT
#pragma once
// qpdf behind a plain interface: its headers do not build as C++20 with clang and libstdc++ 12
// (a vector of a type still incomplete in its own class), so only qpdf_files.cpp sees them,
// compiled as C++17.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kz::report {

// The content of the first file attached to the PDF whose name ends with `suffix`; none for a
// PDF without one or one that cannot be read.
std::optional<std::string> attachedFile(const char* pdf, std::size_t size, std::string_view suffix);

} // namespace kz::report
