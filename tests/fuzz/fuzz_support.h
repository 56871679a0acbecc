// SPDX-License-Identifier: MIT
#pragma once
// What both fuzz targets share: a reader that turns the fuzzer's bytes into choices, the
// characters a user can type or paste, an edited line of text, and the number forms a
// result may show.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

namespace kz::fuzz {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool more() const { return pos_ < size_; }
    unsigned next() { return pos_ < size_ ? data_[pos_++] : 0; }
    int below(int n) { return static_cast<int>(next() % static_cast<unsigned>(n)); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// Every kind of character the entry filter sees: those it keeps, Backspace, and what it
// discards (letters, blanks, signs, separators, control characters, full-width forms).
inline constexpr char32_t kTyped[] = {
    U'0', U'1', U'2', U'3', U'4', U'5', U'6', U'7', U'8', U'9', U'-', U'.', U'\b',
    U'+', U',', U' ', U'e', U'E', U'x', U'a', U'\t', U'\x1b', U'\x7f', U'\x03', U'\x16',
    U'\u3000', U'\uff11', U'\uff0c', U'\uff0d', U'\uff0e', U'\u5186', U'%', U'$', U'\u00a5'};

inline std::string utf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// A pasted text: pasting skips the filter, so it is any mix of the characters above.
inline std::string pasted(Bytes& in)
{
    std::string s;
    for (int n = in.below(24); n > 0; --n)
        s += utf8(kTyped[in.below(static_cast<int>(std::size(kTyped)))]);
    return s;
}

// The text of the field under edit, with its caret and selection, in characters.
struct Line {
    std::u32string text;
    std::size_t caret = 0;
    bool allSelected = false;

    void load(std::string_view utf8Text)
    {
        text.clear();
        for (std::size_t i = 0; i < utf8Text.size();) {
            const auto c = static_cast<unsigned char>(utf8Text[i]);
            const int n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            char32_t v = n == 1 ? c : c & (0x7F >> n);
            for (int k = 1; k < n && i + static_cast<std::size_t>(k) < utf8Text.size(); ++k)
                v = (v << 6) | (static_cast<unsigned char>(utf8Text[i + static_cast<std::size_t>(k)]) & 0x3F);
            text += v;
            i += static_cast<std::size_t>(n);
        }
        caret = std::min(caret, text.size());
    }
    std::string str() const
    {
        std::string s;
        for (char32_t c : text)
            s += utf8(c);
        return s;
    }
    void insert(std::u32string_view s)
    {
        if (allSelected) {
            text.clear();
            caret = 0;
            allSelected = false;
        }
        text.insert(caret, s);
        caret += s.size();
    }
    void backspace()
    {
        if (allSelected) {
            text.clear();
            caret = 0;
            allSelected = false;
        } else if (caret > 0) {
            text.erase(--caret, 1);
        }
    }
    void moveCaret(int by)
    {
        allSelected = false;
        const auto c = static_cast<long>(caret) + by;
        caret = static_cast<std::size_t>(std::clamp(c, 0L, static_cast<long>(text.size())));
    }
};

inline bool digits(std::string_view s) { return !s.empty() && s.find_first_not_of("0123456789") == s.npos; }

// "###,##0": groups of three digits, no leading zero, no minus before a zero.
inline bool isGrouped(std::string_view s)
{
    const bool negative = !s.empty() && s[0] == '-';
    if (negative)
        s.remove_prefix(1);
    const auto first = s.find(',');
    const std::string_view lead = s.substr(0, first);
    if (!digits(lead) || lead.size() > 3 || (lead[0] == '0' && (lead.size() > 1 || first != s.npos)))
        return false;
    if (negative && s == "0")
        return false;
    for (auto at = first; at != s.npos;) {
        const auto next = s.find(',', at + 1);
        if (!digits(s.substr(at + 1, next == s.npos ? s.npos : next - at - 1)) || (next == s.npos ? s.size() : next) - at != 4)
            return false;
        at = next;
    }
    return true;
}

// "#0.00": digits, a point, two decimals.
inline bool isTwoDecimals(std::string_view s)
{
    if (!s.empty() && s[0] == '-')
        s.remove_prefix(1);
    const auto point = s.find('.');
    return point != s.npos && digits(s.substr(0, point)) && s.size() - point == 3 && digits(s.substr(point + 1))
           && (point == 1 || s[0] != '0');
}

// The plain form of a double: up to 15 significant digits, no trailing zeros after a
// point; very small or large values as 1.5E+15.
inline bool isPlain(std::string_view s)
{
    if (!s.empty() && s[0] == '-')
        s.remove_prefix(1);
    if (const auto e = s.find('E'); e != s.npos) {
        const std::string_view exp = s.substr(e + 1);
        const std::string_view mant = s.substr(0, e);
        const bool mantOk = (mant.size() == 1 && digits(mant) && mant != "0")
                            || (mant.size() > 2 && mant[1] == '.' && digits(mant.substr(0, 1)) && mant[0] != '0'
                                && digits(mant.substr(2)) && mant.back() != '0');
        return mantOk && exp.size() >= 3 && (exp[0] == '+' || exp[0] == '-') && digits(exp.substr(1));
    }
    const auto point = s.find('.');
    const std::string_view whole = s.substr(0, point);
    if (!digits(whole) || (whole.size() > 1 && whole[0] == '0'))
        return false;
    if (point == s.npos)
        return true;
    const std::string_view frac = s.substr(point + 1);
    return digits(frac) && frac.back() != '0';
}

[[noreturn]] inline void failed(const char* what, const std::string& detail)
{
    std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
    std::abort();
}

} // namespace kz::fuzz
