// SPDX-License-Identifier: MIT
#pragma once
// A small strict JSON reader for one line of JSON Lines: RFC 8259 values, no key twice in an
// object, nesting bounded, text valid UTF-8 (parse checks the whole line first). It keeps no copy of the line but the decoded
// texts of strings with escapes, and its storage is reused from line to line.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kz::cases::json {

enum class Type : std::uint8_t { Null, Bool, Number, String, Array, Object };

struct Value {
    Type type = Type::Null;
    // String: the decoded text; Number: the token as written; Bool: "true" or "false".
    std::string_view text;
    std::string_view key; // a member's name in its object
    std::uint32_t first = 0, count = 0; // Array, Object: children in Document::children
};

struct ParseError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Document {
public:
    // Reads a whole line; throws ParseError with what and where (the column in characters,
    // from 1). Views from an earlier line are invalid afterwards.
    const Value& parse(std::string_view line, int maxDepth);

    std::span<const Value> children(const Value& v) const
    {
        return {values_.data() + v.first, v.count};
    }
    const Value* find(const Value& object, std::string_view key) const;
    // The top object's "id" as far as the line was read, also after parse threw: a line that
    // fails later (a key given twice) can still be answered with its id. Null when none.
    const Value& readId() const { return id_; }

private:
    Value value(int depth);
    void container(Value& v, int depth);
    std::string_view string();
    std::string_view number();
    void space();
    [[noreturn]] void fail(const std::string& what) const;

    std::string_view in_;
    std::size_t at_ = 0;
    int maxDepth_ = 0;
    std::string decoded_;       // reserved to the line's size: views into it stay valid
    std::vector<Value> values_; // children of every container, each container's together
    std::vector<Value> open_;   // children of the containers still open
    Value root_;
    Value id_;
    int level_ = 0; // containers open: 1 inside the top one
};

// The bounds of a case, whether a file or a batch line: a few hundred bytes are a case. A
// sheet nests four levels ({"sheet": {"amounts": {"spouse": [...]}}}), a family six
// generations deep fifteen ({"family": {"children": [{"children": [… []]}]}}: two levels a
// generation, and the sixth's own list); one more is read.
inline constexpr std::size_t kMaxCaseBytes = 1 << 20;
inline constexpr int kMaxDepth = 16;
// A byte-order mark, as some editors write one, is no part of the case: removed when there.
void skipByteOrderMark(std::string_view& text);

// The writer of case files and batch answers. `s` as a JSON string, quotes included.
void appendString(std::string& out, std::string_view s);
// `"key"` and its colon: ": " in a file a person reads, ":" in an answer line.
void appendKey(std::string& out, std::string_view key, std::string_view colon);
// A whole number as such, any other as the fewest digits that give it back; JSON has no
// infinity, so null.
void appendNumber(std::string& out, double v);

// At most `max` bytes of a text, cut at a character's start, with "…" where it was cut.
std::string shortened(std::string_view s, std::size_t max);

// Where the first byte that is not UTF-8 stands (overlong forms and surrogates included),
// or npos.
std::size_t invalidUtf8At(std::string_view s);

} // namespace kz::cases::json
