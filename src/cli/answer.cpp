// SPDX-License-Identifier: MIT
#include "cli/answer.h"

#include "cli/cases.h"
#include "cli/json.h"
#include "common/format.h"
#include "common/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <vector>

namespace kz::cli {

namespace {

using json::Type;
using Json = json::Value;

// A line that is not a case: what is wrong and where, as the answer says it.
struct CaseError {
    std::string message;
};

[[noreturn]] void fail(std::string message) { throw CaseError{std::move(message)}; }

// The longest text a window's field takes.
constexpr std::size_t kMaxFieldText = 32767;
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

// A name from the input, quoted for a message; long ones are cut.
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

// The document of the line being answered; its storage serves every line.
json::Document& document()
{
    static json::Document doc;
    return doc;
}

std::string join(const std::string& path, std::string_view key) { return path + "." + std::string(key); }

const Json& object(const Json& v, const std::string& path, std::initializer_list<std::string_view> allowed)
{
    if (v.type != Type::Object)
        fail(path + ": expected an object, got " + typeName(v));
    for (const Json& m : document().children(v))
        if (std::find(allowed.begin(), allowed.end(), m.key) == allowed.end())
            fail(path + ": unknown key " + named(m.key));
    return v;
}

const Json* find(const Json& obj, std::string_view key) { return document().find(obj, key); }

const Json& need(const Json& obj, const std::string& path, std::string_view key)
{
    const Json* v = find(obj, key);
    if (!v)
        fail(join(path, key) + ": missing");
    return *v;
}

bool isText(const Json& v, std::string_view text) { return v.type == Type::String && v.text == text; }

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

std::array<std::string, 2> share(const Json& v, const std::string& path)
{
    if (v.type == Type::Null)
        return {};
    if (v.type != Type::Array || v.count != 2)
        fail(path + ": expected [numerator, denominator] or null");
    const auto pair = document().children(v);
    std::array<std::string, 2> out{fieldText(pair[0], [&] { return path + "[0]"; }), fieldText(pair[1], [&] { return path + "[1]"; })};
    // The sheet takes a denominator of 0 as no share at all (or stops on the spouse's): say
    // none with null, or leave the field empty as a new sheet has it.
    if (!out[1].empty() && numericValue(out[1]) == 0)
        fail(path + "[1]: a denominator of 0 gives no share; write null for none");
    return out;
}

// An object's "law": the edition and its key, which keep the case's default when it is absent.
void readLaw(const Json& v, const std::string& path, const tax::LawEdition*& law, std::string_view& lawKey,
             std::string_view name = "law")
{
    const Json* given = find(v, name);
    if (!given)
        return;
    for (const LawKey& l : kLaws)
        if (isText(*given, l.key)) {
            law = &tax::lawEditions()[static_cast<std::size_t>(l.edition)];
            lawKey = l.key;
            return;
        }
    fail(join(path, name) + ": expected \"h20\" or \"r6\"");
}

SheetCase readSheet(const Json& v, std::string_view& lawKey)
{
    const std::string path = "sheet";
    object(v, path, {"law", "amounts", "heirs", "shares", "minor_years"});
    SheetCase c;
    lawKey = kLaws[0].key;
    readLaw(v, path, c.law, lawKey);
    if (const Json* amounts = find(v, "amounts")) {
        object(*amounts, join(path, "amounts"), {"spouse", "heir2", "heir3", "heir4", "legatee"});
        for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
            const Json* rows = find(*amounts, kPersonKeys[p]);
            if (!rows)
                continue;
            const std::string at = join(path + ".amounts", kPersonKeys[p]);
            if (rows->type != Type::Array || rows->count != tax::kAmountRows)
                fail(at + ": expected a list of 6 amounts, got " +
                     (rows->type == Type::Array ? "a list of " + std::to_string(rows->count) : std::string(typeName(*rows))));
            c.typed[p] = true;
            const auto row = document().children(*rows);
            for (std::size_t i = 0; i < tax::kAmountRows; ++i) {
                const auto key = [&] { return at + "[" + std::to_string(i) + "]"; };
                c.amounts[p][i] = fieldText(row[i], key);
                checkRange(c.amounts[p][i], kAmountLo, kAmountHi, key());
            }
        }
    }
    c.heirs = fieldText(need(v, path, "heirs"), [&] { return join(path, "heirs"); });
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
                c.years[h] = fieldText(*y, [&] { return join(path + ".minor_years", kPersonKeys[h + 1]); });
    }
    return c;
}

// A whole number as such, any other as the fewest digits that give it back; JSON has no
// infinity.
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
    appendNumber(out, plainValue(digits));
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
    // A stop the window tells replaces the results; a silent one (a division by zero) leaves
    // them as the window shows them, said here for programs that would take them as whole.
    if (const std::string_view message = tax::stopMessage(a.stopped); !message.empty()) {
        out += ",\"message\":";
        appendString(out, message);
        out += '}';
        return;
    }
    if (a.stopped != Failure::None) {
        out += ",\"stopped\":true,\"reason\":";
        appendString(out, tax::stopReason(a.sheet.working()));
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
    const std::optional<coef::Calc> calc = name.type == Type::String ? calcNamed(name.text) : std::nullopt;
    if (!calc) {
        std::string names;
        for (int i = 0; i < coef::kCalcCount; ++i)
            names += (i ? ", " : "") + std::string(calcName(coef::calcAt(i)));
        fail("coefficient.calculation: expected one of " + names);
    }
    CoefficientCase c;
    c.calc = *calc;
    const coef::CalcInfo& ci = coef::calc(c.calc);
    const std::string_view amountKey = ci.amountField == coef::kNone ? std::string_view() : fieldKey(ci.amountField);
    const std::string_view yearsKey = fieldKey(ci.yearsField), rateKey = fieldKey(ci.rateField);
    const Json& inputs = need(v, "coefficient", "inputs");
    if (amountKey.empty())
        object(inputs, "coefficient.inputs", {yearsKey, rateKey});
    else
        object(inputs, "coefficient.inputs", {amountKey, yearsKey, rateKey});
    const std::string path = "coefficient.inputs";
    if (!amountKey.empty()) {
        c.amount = fieldText(need(inputs, path, amountKey), [&] { return join(path, amountKey); });
        checkRange(c.amount, kAmountLo, kAmountHi, join(path, amountKey));
    }
    c.years = fieldText(need(inputs, path, yearsKey), [&] { return join(path, yearsKey); });
    checkRange(c.years, kYearsLo, kYearsHi, join(path, yearsKey));
    c.rate = fieldText(need(inputs, path, rateKey), [&] { return join(path, rateKey); });
    return c;
}

SecondCase readSecond(const Json& v, std::string_view& lawKey)
{
    const std::string path = "second";
    object(v, path, {"estate", "children", "spouse_share", "spouse_assets", "years", "law", "second_law"});
    SecondCase c;
    lawKey = kLaws[1].key;
    readLaw(v, path, c.law, lawKey);
    if (find(v, "second_law")) {
        const tax::LawEdition* law = nullptr;
        std::string_view key;
        readLaw(v, path, law, key, "second_law");
        c.secondLaw = law;
    }
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

// A tax as the study shows it (to the 千円, halves to even) and the figure itself.
void appendTax(std::string& out, std::string_view key, double figure)
{
    out += ',';
    appendKey(out, key);
    out += "{\"text\":";
    appendString(out, formatGrouped(static_cast<double>(second::shown(figure))));
    out += ",\"value\":";
    appendNumber(out, figure);
    out += '}';
}

void writeSecond(std::string& out, std::string_view lawKey, const second::StudyForm& form)
{
    out += "\"second\":{\"law\":";
    appendString(out, lawKey);
    for (const LawKey& l : kLaws)
        if (form.input().secondLaw == &tax::lawEditions()[static_cast<std::size_t>(l.edition)]) {
            out += ",\"second_law\":";
            appendString(out, l.key);
        }
    const second::Figures& f = form.figures();
    appendTax(out, "first_inheritance_tax", f.firstTax);
    appendTax(out, "reduction", f.reduction);
    appendTax(out, "spouse_pays", f.spousePays);
    appendTax(out, "children_pay", f.childrenPay);
    appendTax(out, "first_tax", f.firstPayable);
    appendTax(out, "second_estate", f.secondEstate);
    appendTax(out, "second_deduction", f.secondDeduction);
    appendTax(out, "second_inheritance_tax", f.secondTax);
    appendTax(out, "credit", f.credit);
    appendTax(out, "second_tax", f.secondPayable);
    appendTax(out, "total_tax", f.total);
    appendTax(out, "optimum_share", form.best().share);
    appendTax(out, "optimum_total", form.best().total);
    out += '}';
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
    } else if (a.model.stopped() != Failure::None) {
        out += ",\"message\":";
        appendString(out, coef::stopMessage(a.model.stopped()));
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

// A line's id as its answer gives it back; "null" for none.
std::string idOf(const Json& given)
{
    std::string id;
    if (given.type == Type::String)
        appendString(id, given.text);
    else if (given.type == Type::Number)
        id = given.text;
    else
        fail(std::string("id: expected a text or a number, got ") + typeName(given));
    return id;
}

} // namespace

Answer answer(std::string_view line, long lineNumber)
{
    std::string id = "null";
    // A byte-order mark as some editors write one at the start of a UTF-8 file.
    if (lineNumber == 1 && line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    try {
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            fail("empty line");
        const Json& doc = document().parse(line, kMaxDepth);
        if (doc.type != Type::Object)
            fail("a case is an object: {\"id\": …, \"sheet\" or \"coefficient\" or \"second\": {…}}");
        if (const Json* given = find(doc, "id"))
            id = idOf(*given);
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
            std::string_view lawKey;
            const SecondCase c = readSecond(*second, lawKey);
            writeSecond(out, lawKey, computeSecond(c));
        }
        out += '}';
        return {std::move(out), false};
    } catch (const CaseError& e) {
        return {errorLine(id, e.message, lineNumber), true};
    } catch (const json::ParseError& e) {
        // The id read before the fault still names the line; an id that is no text or
        // number is not given back.
        if (const Json& read = document().readId(); read.type == Type::String || read.type == Type::Number)
            id = idOf(read);
        return {errorLine(id, std::string("not JSON: ") + e.what(), lineNumber), true};
    } catch (const std::exception& e) {
        // A model that refuses its input answers this line; the next ones are still read.
        return {errorLine(id, std::string("not computed: ") + e.what(), lineNumber), true};
    }
}

Answer tooLong(long lineNumber)
{
    return {errorLine("null", "line longer than 1 MiB", lineNumber), true};
}

} // namespace kz::cli
