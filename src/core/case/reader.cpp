// SPDX-License-Identifier: MIT
#include "core/case/reader.h"

#include "core/common/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kz::cases {

using json::Type;
using Json = json::Value;

namespace {

// The longest text a window's field takes.
constexpr std::size_t kMaxFieldText = 32767;

std::string join(const std::string& path, std::string_view key) { return path + "." + std::string(key); }

bool isText(const Json& v, std::string_view text) { return v.type == Type::String && v.text == text; }

std::string quoted(std::string_view s)
{
    std::string out;
    appendString(out, s);
    return out;
}

// A field's text: a JSON text as typed, a JSON number as the digits of its value.
// `path` makes the key's place for a message, only when one is needed.
template <typename Path>
std::string fieldText(const Json& v, const Path& path)
{
    if (v.type == Type::String) {
        for (const char c : v.text)
            if (!((c >= '0' && c <= '9') || c == '-' || c == '.'))
                fail(path() + ": " + named(v.text) + " holds characters the field does not take (only 0-9, \"-\" and \".\")");
        if (v.text.size() > kMaxFieldText)
            fail(path() + ": longer than the field's " + std::to_string(kMaxFieldText) + " characters");
        return std::string(v.text);
    }
    if (v.type != Type::Number)
        fail(path() + ": expected a number or a text, got " + typeName(v));
    // Without an exponent a JSON number is already a text that the field reads as its value.
    if (v.text.find_first_of("eE") == std::string_view::npos)
        return std::string(v.text);
    double d = 0;
    if (!nearestDouble(v.text, d) || !std::isfinite(d))
        fail(path() + ": number out of range");
    // Fixed notation, the fewest digits that give the same double: the fields read no exponent.
    char buf[400];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed).ptr);
}

// A whole number as its window reads it: the leading number, halves to even. A value the
// window would store as 0, pull into its range or stop on is an error here, naming the key,
// never a silent other case.
void checkRange(const std::string& text, double lo, double hi, const std::string& path)
{
    const double v = std::nearbyint(numericValue(text));
    if (v < lo || v > hi) {
        char bounds[64];
        std::snprintf(bounds, sizeof bounds, "%.0f..%.0f", lo, hi);
        fail(path + ": " + named(text) + " is outside " + bounds);
    }
}

// What an amount field (32 bits) and a years field (16 bits) store.
constexpr double kAmountLo = std::numeric_limits<std::int32_t>::min(), kAmountHi = std::numeric_limits<std::int32_t>::max();
constexpr double kYearsLo = std::numeric_limits<std::int16_t>::min(), kYearsHi = std::numeric_limits<std::int16_t>::max();

} // namespace

void fail(std::string message) { throw CaseError{std::move(message)}; }

std::string named(std::string_view s)
{
    std::string out;
    appendString(out, json::shortened(s, 60));
    return out;
}

const char* typeName(const Json& v)
{
    switch (v.type) {
    case Type::Object: return "an object";
    case Type::Array: return "a list";
    case Type::String: return "a text";
    case Type::Bool: return "true or false";
    case Type::Null: return "null";
    case Type::Number: break;
    }
    return "a number";
}

const Json& Reader::object(const Json& v, const std::string& path, std::span<const std::string_view> allowed) const
{
    if (v.type != Type::Object)
        fail(path + ": expected an object, got " + typeName(v));
    for (const Json& m : doc_.children(v))
        if (std::find(allowed.begin(), allowed.end(), m.key) == allowed.end())
            fail(path + ": unknown key " + named(m.key));
    return v;
}

const Json& Reader::need(const Json& obj, const std::string& path, std::string_view key) const
{
    const Json* v = find(obj, key);
    if (!v)
        fail(join(path, key) + ": missing");
    return *v;
}

std::array<std::string, 2> Reader::share(const Json& v, const std::string& path) const
{
    if (v.type == Type::Null)
        return {};
    if (v.type != Type::Array || v.count != 2)
        fail(path + ": expected [numerator, denominator] or null");
    const auto pair = doc_.children(v);
    std::array<std::string, 2> out{fieldText(pair[0], [&] { return path + "[0]"; }), fieldText(pair[1], [&] { return path + "[1]"; })};
    // The sheet takes a denominator of 0 as no share at all (or stops on the spouse's): say
    // none with null, or leave the field empty as a new sheet has it.
    if (!out[1].empty() && numericValue(out[1]) == 0)
        fail(path + "[1]: a denominator of 0 gives no share; write null for none");
    return out;
}

// An object's "law": the edition, which keeps the case's default when it is absent. A key no
// edition has is refused, never read as another edition.
void Reader::law(const Json& v, const std::string& path, const tax::LawEdition*& law, std::string_view name) const
{
    const Json* given = find(v, name);
    if (!given)
        return;
    std::string keys;
    const auto editions = tax::lawEditions();
    for (std::size_t i = 0; i < editions.size(); ++i) {
        if (isText(*given, editions[i].key)) {
            law = &editions[i];
            return;
        }
        keys += (i == 0 ? "" : i + 1 == editions.size() ? " or " : ", ") + quoted(editions[i].key);
    }
    fail(join(path, name) + ": expected " + keys);
}

SheetCase Reader::sheet(const Json& v) const
{
    const std::string path = "sheet";
    object(v, path, {"law", "amounts", "heirs", "shares", "minor_years", "surcharge", "names"});
    SheetCase c;
    law(v, path, c.law);
    if (const Json* amounts = find(v, "amounts")) {
        object(*amounts, join(path, "amounts"), kPersonKeys);
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
            const Json* rows = find(*amounts, kPersonKeys[p]);
            if (!rows)
                continue;
            const std::string at = join(path + ".amounts", kPersonKeys[p]);
            if (rows->type != Type::Array || rows->count != tax::kAmountRows)
                fail(at + ": expected a list of " + std::to_string(tax::kAmountRows) + " amounts, got " +
                     (rows->type == Type::Array ? "a list of " + std::to_string(rows->count) : std::string(typeName(*rows))));
            c.typed[p] = true;
            const auto row = doc_.children(*rows);
            for (std::size_t i = 0; i < tax::kAmountRows; ++i) {
                const auto key = [&] { return at + "[" + std::to_string(i) + "]"; };
                c.amounts[p][i] = fieldText(row[i], key);
                checkRange(c.amounts[p][i], kAmountLo, kAmountHi, key());
            }
        }
    }
    c.heirs = fieldText(need(v, path, "heirs"), [&] { return join(path, "heirs"); });
    if (const Json* shares = find(v, "shares")) {
        object(*shares, join(path, "shares"), kPersonKeys);
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p)
            if (const Json* s = find(*shares, kPersonKeys[p])) {
                auto [numerator, denominator] = share(*s, join(path + ".shares", kPersonKeys[p]));
                c.numerators[p] = std::move(numerator);
                c.denominators[p] = std::move(denominator);
            }
    }
    if (const Json* years = find(v, "minor_years")) {
        object(*years, join(path, "minor_years"), kMinorKeys);
        for (std::size_t h = 0; h < kMinorKeys.size(); ++h)
            if (const Json* y = find(*years, kMinorKeys[h]))
                c.years[h] = fieldText(*y, [&] { return join(path + ".minor_years", kMinorKeys[h]); });
    }
    // Beside the stated sheet: heirs 2..4 marked for the 2割加算, and whom the columns stand for.
    if (const Json* marks = find(v, "surcharge")) {
        object(*marks, join(path, "surcharge"), {"heir2", "heir3", "heir4"});
        for (std::size_t h = 0; h < 3; ++h)
            if (const Json* m = find(*marks, kPersonKeys[h + 1])) {
                if (m->type != Type::Bool)
                    fail(join(path + ".surcharge", kPersonKeys[h + 1]) + ": expected true or false, got " + typeName(*m));
                c.surcharge[h] = m->text == "true";
            }
    }
    if (const Json* names = find(v, "names")) {
        object(*names, join(path, "names"), {"spouse", "heir2", "heir3", "heir4"});
        for (std::size_t p = 0; p < c.names.size(); ++p)
            if (const Json* n = find(*names, kPersonKeys[p])) {
                if (n->type != Type::String)
                    fail(join(path + ".names", kPersonKeys[p]) + ": expected a text, got " + typeName(*n));
                c.names[p] = std::string(n->text);
            }
    }
    return c;
}

CoefficientCase Reader::coefficient(const Json& v, const std::string& path) const
{
    object(v, path, {"calculation", "inputs"});
    const Json& name = need(v, path, "calculation");
    const std::optional<coef::Calc> calc = name.type == Type::String ? calcNamed(name.text) : std::nullopt;
    if (!calc) {
        std::string names;
        for (int i = 0; i < coef::kCalcCount; ++i)
            names += (i ? ", " : "") + std::string(calcName(coef::calcAt(i)));
        fail(path + ".calculation: expected one of " + names);
    }
    CoefficientCase c;
    c.calc = *calc;
    const coef::CalcInfo& ci = coef::calc(c.calc);
    const std::string_view amountKey = ci.amountField == coef::kNone ? std::string_view() : fieldKey(ci.amountField);
    const std::string_view yearsKey = fieldKey(ci.yearsField), rateKey = fieldKey(ci.rateField);
    const std::string inputsPath = path + ".inputs";
    const Json& inputs = need(v, path, "inputs");
    if (amountKey.empty())
        object(inputs, inputsPath, {yearsKey, rateKey});
    else
        object(inputs, inputsPath, {amountKey, yearsKey, rateKey});
    if (!amountKey.empty()) {
        c.amount = fieldText(need(inputs, inputsPath, amountKey), [&] { return join(inputsPath, amountKey); });
        checkRange(c.amount, kAmountLo, kAmountHi, join(inputsPath, amountKey));
    }
    c.years = fieldText(need(inputs, inputsPath, yearsKey), [&] { return join(inputsPath, yearsKey); });
    checkRange(c.years, kYearsLo, kYearsHi, join(inputsPath, yearsKey));
    c.rate = fieldText(need(inputs, inputsPath, rateKey), [&] { return join(inputsPath, rateKey); });
    return c;
}

SecondCase Reader::second(const Json& v) const
{
    const std::string path = "second";
    object(v, path, {"estate", "children", "spouse_share", "spouse_assets", "years", "law", "second_law"});
    SecondCase c;
    law(v, path, c.law);
    law(v, path, c.secondLaw, "second_law");
    auto read = [&](std::string_view key, std::string& into, second::Range range, bool required) {
        const Json* value = find(v, key);
        if (!value && required)
            fail(join(path, key) + ": missing");
        if (value) {
            into = fieldText(*value, [&] { return join(path, key); });
            checkRange(into, range.lo, range.hi, join(path, key));
        }
    };
    read("estate", c.estate, second::kAmountRange, true);
    read("children", c.children, second::kChildrenRange, true);
    read("spouse_share", c.spouseShare, {0, static_cast<std::int32_t>(std::nearbyint(numericValue(c.estate)))}, true);
    read("spouse_assets", c.spouseAssets, second::kAmountRange, false);
    read("years", c.years, second::kYearsRange, false);
    return c;
}

} // namespace kz::cases
