// SPDX-License-Identifier: MIT
#include "core/case/json.h"
#include "core/common/utf8.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kz::cases::json {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

void noKeyTwice(std::span<const Value> members)
{
    auto twice = [](std::string_view key) {
        return ParseError("key \"" + shortened(key, 60) + "\" given twice");
    };
    // The few members of a case compare pairwise; a long object is sorted.
    if (members.size() <= 8) {
        for (std::size_t i = 0; i < members.size(); ++i)
            for (std::size_t j = i + 1; j < members.size(); ++j)
                if (members[i].key == members[j].key)
                    throw twice(members[i].key);
        return;
    }
    std::vector<std::string_view> keys;
    keys.reserve(members.size());
    for (const Value& m : members)
        keys.push_back(m.key);
    std::sort(keys.begin(), keys.end());
    if (const auto at = std::adjacent_find(keys.begin(), keys.end()); at != keys.end())
        throw twice(*at);
}

} // namespace

void skipByteOrderMark(std::string_view& text)
{
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    if (text.starts_with(kBom))
        text.remove_prefix(kBom.size());
}

void appendString(std::string& out, std::string_view s)
{
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += ch;
        } else if (c < 0x20) {
            out += "\\u00";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += ch;
        }
    }
    out += '"';
}

void appendKey(std::string& out, std::string_view key, std::string_view colon)
{
    appendString(out, key);
    out += colon;
}

void appendNumber(std::string& out, double v)
{
    char buf[64];
    if (!std::isfinite(v))
        out += "null";
    else if (v == std::trunc(v) && std::fabs(v) < 9007199254740992.0)
        out.append(buf, std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(v)).ptr);
    else
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string shortened(std::string_view s, std::size_t max)
{
    if (s.size() <= max)
        return std::string(s);
    std::size_t cut = max;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    return std::string(s.substr(0, cut)) + "\u2026";
}

std::size_t invalidUtf8At(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t n = 0;
        std::uint32_t min = 0;
        if (c >= 0xC2 && c <= 0xDF)
            n = 1, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF)
            n = 2, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 3, min = 0x10000;
        else
            return i;
        if (i + n >= s.size())
            return i;
        std::uint32_t v = c & (0x3Fu >> n);
        for (std::size_t k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80)
                return i;
            v = (v << 6) | (d & 0x3Fu);
        }
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
            return i;
        i += n + 1;
    }
    return std::string_view::npos;
}

void Document::fail(const std::string& what) const
{
    // Characters, not bytes: a column a person counts in an editor. The line is valid UTF-8.
    const auto column = std::count_if(in_.begin(), in_.begin() + static_cast<std::ptrdiff_t>(at_),
                                      [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    throw ParseError(what + " at column " + std::to_string(column + 1));
}

void Document::space()
{
    while (at_ < in_.size() && (in_[at_] == ' ' || in_[at_] == '\t' || in_[at_] == '\r' || in_[at_] == '\n'))
        ++at_;
}

const Value& Document::parse(std::string_view line, int maxDepth)
{
    in_ = line;
    at_ = 0;
    maxDepth_ = maxDepth;
    id_ = Value{};
    level_ = 0;
    if (const std::size_t bad = invalidUtf8At(line); bad != std::string_view::npos)
        throw ParseError("invalid UTF-8 at byte " + std::to_string(bad + 1));
    decoded_.clear();
    decoded_.reserve(line.size());
    values_.clear();
    open_.clear();
    space();
    root_ = value(maxDepth);
    space();
    if (at_ != in_.size())
        fail("more after the value");
    return root_;
}

const Value* Document::find(const Value& object, std::string_view key) const
{
    for (const Value& m : children(object))
        if (m.key == key)
            return &m;
    return nullptr;
}

Value Document::value(int depth)
{
    if (at_ == in_.size())
        fail("a value expected");
    Value v;
    const char c = in_[at_];
    if (c == '{' || c == '[') {
        if (depth == 0)
            fail("nesting deeper than " + std::to_string(maxDepth_) + " levels");
        v.type = c == '{' ? Type::Object : Type::Array;
        container(v, depth - 1);
    } else if (c == '"') {
        v.type = Type::String;
        v.text = string();
    } else if (c == '-' || isDigit(c)) {
        v.type = Type::Number;
        v.text = number();
    } else {
        for (std::string_view word : {"true", "false", "null"}) {
            if (in_.substr(at_, word.size()) == word) {
                v.type = word == "null" ? Type::Null : Type::Bool;
                v.text = in_.substr(at_, word.size());
                at_ += word.size();
                return v;
            }
        }
        fail("a value expected");
    }
    return v;
}

void Document::container(Value& v, int depth)
{
    const bool object = v.type == Type::Object;
    const char close = object ? '}' : ']';
    const std::size_t base = open_.size();
    ++level_;
    ++at_;
    space();
    if (at_ < in_.size() && in_[at_] == close) {
        ++at_;
    } else {
        for (;;) {
            std::string_view key;
            if (object) {
                if (at_ == in_.size() || in_[at_] != '"')
                    fail("a key expected");
                key = string();
                space();
                if (at_ == in_.size() || in_[at_] != ':')
                    fail("':' expected");
                ++at_;
                space();
            }
            Value child = value(depth);
            child.key = key;
            if (object && level_ == 1 && key == "id")
                id_ = child;
            open_.push_back(child);
            space();
            if (at_ < in_.size() && in_[at_] == ',') {
                ++at_;
                space();
                continue;
            }
            if (at_ < in_.size() && in_[at_] == close) {
                ++at_;
                break;
            }
            fail(object ? "',' or '}' expected" : "',' or ']' expected");
        }
    }
    v.first = static_cast<std::uint32_t>(values_.size());
    v.count = static_cast<std::uint32_t>(open_.size() - base);
    values_.insert(values_.end(), open_.begin() + static_cast<std::ptrdiff_t>(base), open_.end());
    open_.resize(base);
    if (object)
        noKeyTwice(children(v));
    --level_;
}

std::string_view Document::string()
{
    const std::size_t start = ++at_;
    // Without escapes the text is the line's own bytes.
    while (at_ < in_.size() && in_[at_] != '"' && in_[at_] != '\\' && static_cast<unsigned char>(in_[at_]) >= 0x20)
        ++at_;
    if (at_ < in_.size() && in_[at_] == '"')
        return in_.substr(start, at_++ - start);
    const std::size_t from = decoded_.size();
    decoded_.append(in_.substr(start, at_ - start));
    auto hex4 = [this] {
        std::uint32_t u = 0;
        for (int k = 0; k < 4; ++k, ++at_) {
            const char h = at_ < in_.size() ? in_[at_] : '\0';
            const int d = isDigit(h) ? h - '0' : (h >= 'a' && h <= 'f') ? h - 'a' + 10 : (h >= 'A' && h <= 'F') ? h - 'A' + 10 : -1;
            if (d < 0)
                fail("four hexadecimal digits expected");
            u = u * 16 + static_cast<std::uint32_t>(d);
        }
        return u;
    };
    for (;;) {
        if (at_ == in_.size())
            fail("unterminated text");
        const char c = in_[at_];
        if (c == '"') {
            ++at_;
            break;
        }
        if (static_cast<unsigned char>(c) < 0x20)
            fail("control character in a text");
        if (c != '\\') {
            decoded_ += c;
            ++at_;
            continue;
        }
        ++at_;
        const char e = at_ < in_.size() ? in_[at_] : '\0';
        ++at_;
        switch (e) {
        case '"': decoded_ += '"'; break;
        case '\\': decoded_ += '\\'; break;
        case '/': decoded_ += '/'; break;
        case 'b': decoded_ += '\b'; break;
        case 'f': decoded_ += '\f'; break;
        case 'n': decoded_ += '\n'; break;
        case 'r': decoded_ += '\r'; break;
        case 't': decoded_ += '\t'; break;
        case 'u': {
            std::uint32_t u = hex4();
            if (u >= 0xDC00 && u <= 0xDFFF)
                fail("lone low surrogate");
            if (u >= 0xD800 && u <= 0xDBFF) {
                if (in_.substr(at_, 2) != "\\u")
                    fail("lone high surrogate");
                at_ += 2;
                const std::uint32_t low = hex4();
                if (low < 0xDC00 || low > 0xDFFF)
                    fail("lone high surrogate");
                u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
            }
            kz::appendUtf8(decoded_, u);
            break;
        }
        default:
            --at_;
            fail("unknown escape");
        }
    }
    return std::string_view(decoded_).substr(from);
}

std::string_view Document::number()
{
    const std::size_t start = at_;
    if (in_[at_] == '-')
        ++at_;
    auto digits = [this] {
        const std::size_t from = at_;
        while (at_ < in_.size() && isDigit(in_[at_]))
            ++at_;
        if (at_ == from)
            fail("digit expected");
    };
    if (at_ < in_.size() && in_[at_] == '0')
        ++at_;
    else
        digits();
    if (at_ < in_.size() && in_[at_] == '.') {
        ++at_;
        digits();
    }
    if (at_ < in_.size() && (in_[at_] == 'e' || in_[at_] == 'E')) {
        ++at_;
        if (at_ < in_.size() && (in_[at_] == '+' || in_[at_] == '-'))
            ++at_;
        digits();
    }
    return in_.substr(start, at_ - start);
}

} // namespace kz::cases::json
