// SPDX-License-Identifier: MIT
#include "cli/answer.h"

#include "cli/cases.h"
#include "common/format.h"
#include "common/numeric.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <vector>

namespace kz::cli {

namespace {

using Json = nlohmann::json;

// A line that is not a case: what is wrong and where, as the answer says it.
struct CaseError {
    std::string message;
};

[[noreturn]] void fail(std::string message) { throw CaseError{std::move(message)}; }

// The longest text a window's field takes.
constexpr std::size_t kMaxFieldText = 32767;
constexpr std::string_view kTooLarge = "金額が大きすぎるため計算できません。";
constexpr std::string_view kNotANumber = "数値を入力してください";

struct LawKey {
    std::string_view key;
    int edition; // index in tax::lawEditions()
};
constexpr LawKey kLaws[] = {{"h20", 0}, {"r6", 1}};

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

// A name from the input, quoted for a message: long ones are cut at a character's start.
std::string named(std::string_view s)
{
    constexpr std::size_t kShown = 60;
    std::string out;
    if (s.size() <= kShown) {
        appendString(out, s);
        return out;
    }
    std::size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(s[cut]) & 0xC0) == 0x80)
        --cut;
    appendString(out, std::string(s.substr(0, cut)) + "\u2026");
    return out;
}

const char* typeName(const Json& v)
{
    switch (v.type()) {
    case Json::value_t::object: return "an object";
    case Json::value_t::array: return "a list";
    case Json::value_t::string: return "a text";
    case Json::value_t::boolean: return "true or false";
    case Json::value_t::null: return "null";
    default: return "a number";
    }
}

// Where the first byte that is not UTF-8 stands, or npos.
std::size_t invalidUtf8At(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int n = 0;
        unsigned min = 0;
        if (c >= 0xC2 && c <= 0xDF)
            n = 1, min = 0x80;
        else if (c >= 0xE0 && c <= 0xEF)
            n = 2, min = 0x800;
        else if (c >= 0xF0 && c <= 0xF4)
            n = 3, min = 0x10000;
        else
            return i;
        if (i + static_cast<std::size_t>(n) >= s.size())
            return i;
        unsigned v = c & (0x3F >> n);
        for (int k = 1; k <= n; ++k) {
            const auto d = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((d & 0xC0) != 0x80)
                return i;
            v = (v << 6) | (d & 0x3F);
        }
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF))
            return i;
        i += static_cast<std::size_t>(n) + 1;
    }
    return std::string_view::npos;
}

// Parses strictly: no key twice in an object, no deeper nesting than kMaxDepth.
Json parse(std::string_view line)
{
    std::vector<std::vector<std::string>> keys;
    const Json::parser_callback_t check = [&keys](int depth, Json::parse_event_t event, Json& parsed) {
        switch (event) {
        case Json::parse_event_t::object_start:
        case Json::parse_event_t::array_start:
            if (depth >= kMaxDepth)
                fail("nesting deeper than " + std::to_string(kMaxDepth) + " levels");
            if (event == Json::parse_event_t::object_start)
                keys.emplace_back();
            break;
        case Json::parse_event_t::key: {
            const auto& k = parsed.get_ref<const std::string&>();
            for (const std::string& seen : keys.back())
                if (seen == k)
                    fail("key " + named(k) + " given twice");
            keys.back().push_back(k);
            break;
        }
        case Json::parse_event_t::object_end:
            keys.pop_back();
            break;
        default:
            break;
        }
        return true;
    };
    return Json::parse(line.begin(), line.end(), check);
}

// "[json.exception.parse_error.101] parse error at line 1, column 3: syntax error …"
std::string notJson(const Json::exception& e)
{
    std::string_view what = e.what();
    if (const auto close = what.find("] "); close != what.npos)
        what.remove_prefix(close + 2);
    std::string text = "not JSON: ";
    if (what.starts_with("parse error at line 1, ")) {
        what.remove_prefix(23);
        text += "parse error at ";
    }
    constexpr std::size_t kShown = 200;
    std::size_t cut = std::min(what.size(), kShown);
    while (cut < what.size() && cut > 0 && (static_cast<unsigned char>(what[cut]) & 0xC0) == 0x80)
        --cut;
    text += what.substr(0, cut);
    if (cut < what.size())
        text += "\u2026";
    return text;
}

std::string join(const std::string& path, std::string_view key) { return path + "." + std::string(key); }

const Json& object(const Json& v, const std::string& path, std::initializer_list<std::string_view> allowed)
{
    if (!v.is_object())
        fail(path + ": expected an object, got " + typeName(v));
    for (const auto& [k, value] : v.items()) {
        bool known = false;
        for (std::string_view a : allowed)
            known = known || k == a;
        if (!known)
            fail(path + ": unknown key " + named(k));
    }
    return v;
}

const Json* find(const Json& obj, std::string_view key)
{
    const auto it = obj.find(key);
    return it == obj.end() ? nullptr : &*it;
}

const Json& need(const Json& obj, const std::string& path, std::string_view key)
{
    const Json* v = find(obj, key);
    if (!v)
        fail(join(path, key) + ": missing");
    return *v;
}

// A field's text: a JSON text as typed, a JSON number as the digits of its value.
std::string fieldText(const Json& v, const std::string& path)
{
    if (v.is_string()) {
        const auto& s = v.get_ref<const std::string&>();
        for (const char c : s)
            if (!((c >= '0' && c <= '9') || c == '-' || c == '.'))
                fail(path + ": " + named(s) + " holds characters the field does not take (only 0-9, \"-\" and \".\")");
        if (s.size() > kMaxFieldText)
            fail(path + ": longer than the field's " + std::to_string(kMaxFieldText) + " characters");
        return s;
    }
    if (v.is_number_unsigned())
        return std::to_string(v.get<std::uint64_t>());
    if (v.is_number_integer())
        return std::to_string(v.get<std::int64_t>());
    if (v.is_number_float()) {
        const double d = v.get<double>();
        if (!std::isfinite(d))
            fail(path + ": number out of range");
        // Fixed notation, the fewest digits that give the same double: the fields read no exponent.
        char buf[400];
        return std::string(buf, std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed).ptr);
    }
    fail(path + ": expected a number or a text, got " + typeName(v));
}

std::array<std::string, 2> share(const Json& v, const std::string& path)
{
    if (v.is_null())
        return {};
    if (!v.is_array() || v.size() != 2)
        fail(path + ": expected [numerator, denominator] or null");
    return {fieldText(v[0], path + "[0]"), fieldText(v[1], path + "[1]")};
}

SheetCase readSheet(const Json& v, std::string_view& lawKey)
{
    const std::string path = "sheet";
    object(v, path, {"law", "amounts", "heirs", "shares", "minor_years"});
    SheetCase c;
    lawKey = kLaws[0].key;
    if (const Json* law = find(v, "law")) {
        bool known = false;
        for (const LawKey& l : kLaws) {
            if (law->is_string() && law->get_ref<const std::string&>() == l.key) {
                c.law = &tax::lawEditions()[static_cast<std::size_t>(l.edition)];
                lawKey = l.key;
                known = true;
            }
        }
        if (!known)
            fail("sheet.law: expected \"h20\" or \"r6\"");
    }
    if (const Json* amounts = find(v, "amounts")) {
        object(*amounts, join(path, "amounts"), {"spouse", "heir2", "heir3", "heir4", "legatee"});
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
            const Json* rows = find(*amounts, kPersonKeys[p]);
            if (!rows)
                continue;
            const std::string at = join(path + ".amounts", kPersonKeys[p]);
            if (!rows->is_array() || rows->size() != tax::kAmountRows)
                fail(at + ": expected a list of 6 amounts, got " +
                     (rows->is_array() ? "a list of " + std::to_string(rows->size()) : std::string(typeName(*rows))));
            c.typed[p] = true;
            for (std::size_t i = 0; i < tax::kAmountRows; ++i)
                c.amounts[p][i] = fieldText((*rows)[i], at + "[" + std::to_string(i) + "]");
        }
    }
    c.heirs = fieldText(need(v, path, "heirs"), join(path, "heirs"));
    if (const Json* shares = find(v, "shares")) {
        object(*shares, join(path, "shares"), {"spouse", "heir2", "heir3", "heir4", "legatee"});
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p)
            if (const Json* s = find(*shares, kPersonKeys[p])) {
                auto [numerator, denominator] = share(*s, join(path + ".shares", kPersonKeys[p]));
                c.numerators[p] = std::move(numerator);
                c.denominators[p] = std::move(denominator);
            }
    }
    if (const Json* years = find(v, "minor_years")) {
        object(*years, join(path, "minor_years"), {"heir2", "heir3", "heir4"});
        for (std::size_t h = 0; h < 3; ++h)
            if (const Json* y = find(*years, kPersonKeys[h + 1]))
                c.years[h] = fieldText(*y, join(path + ".minor_years", kPersonKeys[h + 1]));
    }
    return c;
}

// A shown text and the number it shows: "8,525" is 8525, an empty "###,###" text 0, a
// figure too large for a double null.
void appendFigure(std::string& out, const std::string& text)
{
    out += "{\"text\":";
    appendString(out, text);
    out += ",\"value\":";
    std::string digits;
    for (const char c : text)
        if (c != ',')
            digits += c;
    const double v = plainValue(digits);
    char buf[64];
    if (!std::isfinite(v)) {
        out += "null";
    } else if (v == std::trunc(v) && std::fabs(v) < 9007199254740992.0) {
        out.append(buf, std::to_chars(buf, buf + sizeof buf, static_cast<std::int64_t>(v)).ptr);
    } else {
        out.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    }
    out += '}';
}

void appendKey(std::string& out, std::string_view key)
{
    appendString(out, key);
    out += ':';
}

void writeSheet(std::string& out, std::string_view lawKey, const SheetAnswer& a)
{
    using namespace kz::tax;
    out += "\"sheet\":{\"law\":";
    appendString(out, lawKey);
    if (a.stopped) {
        out += ",\"message\":";
        appendString(out, kTooLarge);
        out += '}';
        return;
    }
    auto figure = [&](std::string_view key, Label l) {
        out += ',';
        appendKey(out, key);
        appendFigure(out, a.sheet.labelText(l));
    };
    figure("total_taxable", sheetLabel(0));
    figure("basic_deduction", sheetLabel(2));
    figure("taxable_estate", sheetLabel(3));
    figure("total_tax", sheetLabel(4));
    figure("spouse_reduction", sheetLabel(5));
    out += ",\"minor_deduction\":{";
    for (int p = 2; p <= 4; ++p) {
        if (p > 2)
            out += ',';
        appendKey(out, kPersonKeys[static_cast<std::size_t>(p - 1)]);
        appendFigure(out, a.sheet.labelText(sheetLabel(p + 4)));
    }
    out += '}';
    static constexpr std::string_view kRows[] = {"taxable", "share", "share_tax", "ratio", "tax_before", "payable"};
    for (int p = 1; p <= kPersons; ++p) {
        out += ',';
        appendKey(out, kPersonKeys[static_cast<std::size_t>(p - 1)]);
        out += '{';
        bool first = true;
        for (int i = 0; i < kAmountRows; ++i) {
            // The legatee has no statutory share: its share labels are never written.
            if (p == kPersons && (i == 1 || i == 2))
                continue;
            if (!first)
                out += ',';
            first = false;
            appendKey(out, kRows[i]);
            appendFigure(out, a.sheet.labelText(personLabel(p, i)));
        }
        out += '}';
    }
    out += '}';
}

CoefficientCase readCoefficient(const Json& v)
{
    object(v, "coefficient", {"calculation", "inputs"});
    const Json& name = need(v, "coefficient", "calculation");
    const std::optional<coef::Calc> calc = name.is_string() ? calcNamed(name.get_ref<const std::string&>()) : std::nullopt;
    if (!calc) {
        std::string names;
        for (int i = 0; i < coef::kCalcCount; ++i)
            names += (i ? ", " : "") + std::string(calcName(coef::calcAt(i)));
        fail("coefficient.calculation: expected one of " + names);
    }
    CoefficientCase c;
    c.calc = *calc;
    const coef::CalcInfo& ci = coef::calc(c.calc);
    const std::string amountKey = ci.amountField == coef::kNone ? std::string() : fieldKey(ci.amountField);
    const std::string yearsKey = fieldKey(ci.yearsField), rateKey = fieldKey(ci.rateField);
    const Json& inputs = need(v, "coefficient", "inputs");
    if (amountKey.empty())
        object(inputs, "coefficient.inputs", {yearsKey, rateKey});
    else
        object(inputs, "coefficient.inputs", {amountKey, yearsKey, rateKey});
    const std::string path = "coefficient.inputs";
    if (!amountKey.empty())
        c.amount = fieldText(need(inputs, path, amountKey), join(path, amountKey));
    c.years = fieldText(need(inputs, path, yearsKey), join(path, yearsKey));
    c.rate = fieldText(need(inputs, path, rateKey), join(path, rateKey));
    return c;
}

void writeCoefficient(std::string& out, const CoefficientAnswer& a, coef::Calc calc)
{
    const coef::CalcInfo& ci = coef::calc(calc);
    out += "\"coefficient\":{\"calculation\":";
    appendString(out, ci.name);
    if (a.badField) {
        out += ",\"message\":";
        appendString(out, kNotANumber);
        out += ",\"field\":";
        appendString(out, fieldKey(*a.badField));
    } else if (a.stopped) {
        out += ",\"message\":";
        appendString(out, kTooLarge);
    } else {
        for (const int r : ci.results) {
            if (r == coef::kNone)
                continue;
            out += ',';
            appendKey(out, fieldKey(r));
            appendFigure(out, a.model.text(r));
        }
    }
    out += '}';
}

std::string errorLine(const std::string& id, std::string_view message, long lineNumber)
{
    std::string out = "{\"id\":" + id + ",\"error\":";
    appendString(out, message);
    out += ",\"line\":" + std::to_string(lineNumber) + "}";
    return out;
}

} // namespace

Answer answer(std::string_view line, long lineNumber)
{
    std::string id = "null";
    try {
        if (const std::size_t bad = invalidUtf8At(line); bad != std::string_view::npos)
            fail("invalid UTF-8 at byte " + std::to_string(bad + 1));
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            fail("empty line");
        const Json doc = parse(line);
        if (!doc.is_object())
            fail("a case is an object: {\"id\": …, \"sheet\" or \"coefficient\" or \"second\": {…}}");
        if (const Json* given = find(doc, "id")) {
            if (!given->is_string() && !given->is_number())
                fail(std::string("id: expected a text or a number, got ") + typeName(*given));
            id = given->dump();
        }
        object(doc, "case", {"id", "sheet", "coefficient", "second"});
        const Json* sheet = find(doc, "sheet");
        const Json* coefficient = find(doc, "coefficient");
        const Json* second = find(doc, "second");
        if (!!sheet + !!coefficient + !!second != 1)
            fail("a case has exactly one of \"sheet\", \"coefficient\" and \"second\"");
        std::string out = "{\"id\":" + id + ",";
        if (sheet) {
            std::string_view lawKey;
            const SheetCase c = readSheet(*sheet, lawKey);
            writeSheet(out, lawKey, computeSheet(c));
        } else if (coefficient) {
            const CoefficientCase c = readCoefficient(*coefficient);
            writeCoefficient(out, computeCoefficient(c), c.calc);
        } else {
            fail("second: not available yet");
        }
        out += '}';
        return {std::move(out), false};
    } catch (const CaseError& e) {
        return {errorLine(id, e.message, lineNumber), true};
    } catch (const Json::exception& e) {
        return {errorLine(id, notJson(e), lineNumber), true};
    }
}

Answer tooLong(long lineNumber)
{
    return {errorLine("null", "line longer than 1 MiB", lineNumber), true};
}

} // namespace kz::cli
