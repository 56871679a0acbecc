// SPDX-License-Identifier: MIT
#include "cli/answer.h"

#include "core/case/assets_case.h"
#include "core/case/reader.h"
#include "core/common/format.h"
#include "core/common/numeric.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <vector>

namespace kz::cli {

namespace {

using cases::appendString;
using cases::CaseError;
using cases::fail;
using cases::typeName;
namespace json = cases::json;
using json::Type;
using Json = json::Value;
using namespace kz::cases;

constexpr std::string_view kNotANumber = "数値を入力してください";

// The document of the line being answered; its storage serves every line.
json::Document& document()
{
    static json::Document doc;
    return doc;
}

const Json* find(const Json& obj, std::string_view key) { return document().find(obj, key); }

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
    if (const tax::LawEdition* second = form.input().secondLaw) {
        out += ",\"second_law\":";
        appendString(out, cases::lawKey(*second));
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
            fail("a case is an object: {\"id\": …, \"sheet\" or \"coefficient\" or \"second\" or \"assets\": {…}}");
        if (const Json* given = find(doc, "id"))
            id = idOf(*given);
        const Reader read(document());
        read.object(doc, "case", {"id", "sheet", "coefficient", "second", "assets"});
        const Json* sheet = find(doc, "sheet");
        const Json* coefficient = find(doc, "coefficient");
        const Json* second = find(doc, "second");
        const Json* assets = find(doc, "assets");
        if (!!sheet + !!coefficient + !!second + !!assets != 1)
            fail("a case has exactly one of \"sheet\", \"coefficient\", \"second\" and \"assets\"");
        std::string out = "{\"id\":" + id + ",";
        if (sheet) {
            std::string_view lawKey;
            const SheetCase c = read.sheet(*sheet, lawKey);
            writeSheet(out, lawKey, computeSheet(c));
        } else if (coefficient) {
            const CoefficientCase c = read.coefficient(*coefficient, "coefficient");
            writeCoefficient(out, computeCoefficient(c), c.calc);
        } else if (assets) {
            const assets::Estate e = readAssets(read, document(), *assets);
            out += "\"assets\":";
            appendAssetsAnswer(out, e, assets::compute(e));
        } else {
            std::string_view lawKey;
            const SecondCase c = read.second(*second, lawKey);
            writeSecond(out, lawKey, computeSecond(c));
        }
        out += '}';
        return {std::move(out), false};
    } catch (const CaseError& e) {
        return {errorLine(id, e.message, lineNumber), true};
    } catch (const assets::AssetsError& e) {
        // What the law or the sheet refuses, in the window's words.
        return {errorLine(id, e.what(), lineNumber), true};
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
