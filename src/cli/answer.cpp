// SPDX-License-Identifier: MIT
#include "cli/answer.h"

#include "cli/family_answer.h"
#include "core/case/assets_case.h"
#include "core/case/reader.h"
#include "core/second/study_figures.h"
#include "core/tax_sheet/figures.h"
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
using json::appendNumber;
using namespace kz::cases;

constexpr std::string_view kNotANumber = "数値を入力してください";

// The document of the line being answered; its storage serves every line.
json::Document& document()
{
    static json::Document doc;
    return doc;
}

const Json* find(const Json& obj, std::string_view key) { return document().find(obj, key); }

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

void appendKey(std::string& out, std::string_view key) { json::appendKey(out, key, ":"); }

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
    for (const SheetFigure& f : kSheetFigures) {
        out += ',';
        appendKey(out, f.key);
        appendFigure(out, a.sheet.labelText(f.label));
    }
    out += ',';
    appendKey(out, kMinorDeduction.key);
    out += '{';
    for (std::size_t h = 0; h < kMinorKeys.size(); ++h) {
        if (h > 0)
            out += ',';
        appendKey(out, kMinorKeys[h]);
        appendFigure(out, a.sheet.labelText(minorDeductionLabel(static_cast<int>(h) + 2)));
    }
    out += '}';
    for (int p = 1; p <= kPersons; ++p) {
        out += ',';
        appendKey(out, kPersonKeys[static_cast<std::size_t>(p - 1)]);
        out += '{';
        bool first = true;
        for (int i = 0; i < kAmountRows; ++i) {
            const auto row = static_cast<PersonRow>(i);
            // The legatee has no statutory share: its share labels are never written.
            if (p == kPersons && (row == PersonRow::Share || row == PersonRow::ShareTax))
                continue;
            if (!first)
                out += ',';
            first = false;
            appendKey(out, personFigure(row).key);
            appendFigure(out, a.sheet.labelText(personLabel(p, row)));
        }
        // An heir marked for the 2割加算, and his tax raised by it before the minors' deduction.
        if (p >= 2 && p <= 4 && a.sheet.surcharged(p)) {
            out += ",\"surcharge\":true";
            if (const auto h = static_cast<std::size_t>(p - 2); a.sheet.working().surcharged[h]) {
                out += ",\"raised_tax\":";
                appendFigure(out, formatGrouped(a.sheet.working().heirRaised[h]));
            }
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
        appendString(out, second->key);
    }
    for (const second::StudyFigure& f : second::kStudyFigures)
        if (!f.key.empty())
            appendTax(out, f.key, form.figures().*(f.value));
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
    if (lineNumber == 1)
        json::skipByteOrderMark(line);
    try {
        if (line.find_first_not_of(" \t") == std::string_view::npos)
            fail("empty line");
        const Json& doc = document().parse(line, json::kMaxDepth);
        if (doc.type != Type::Object)
            fail("a case is an object: {\"id\": …, \"sheet\" or \"coefficient\" or \"second\" or \"assets\" or \"family\": {…}}");
        if (const Json* given = find(doc, "id"))
            id = idOf(*given);
        const Reader read(document());
        read.object(doc, "case", {"id", "sheet", "coefficient", "second", "assets", "family"});
        const Json* sheet = find(doc, "sheet");
        const Json* coefficient = find(doc, "coefficient");
        const Json* second = find(doc, "second");
        const Json* assets = find(doc, "assets");
        const Json* family = find(doc, "family");
        if (!!sheet + !!coefficient + !!second + !!assets + !!family != 1)
            fail("a case has exactly one of \"sheet\", \"coefficient\", \"second\", \"assets\" and \"family\"");
        std::string out = "{\"id\":" + id + ",";
        if (sheet) {
            const SheetCase c = read.sheet(*sheet);
            writeSheet(out, c.law->key, computeSheet(c));
        } else if (coefficient) {
            const CoefficientCase c = read.coefficient(*coefficient, "coefficient");
            writeCoefficient(out, computeCoefficient(c), c.calc);
        } else if (assets) {
            const assets::Estate e = readAssets(read, document(), *assets);
            out += "\"assets\":";
            appendAssetsAnswer(out, e, assets::compute(e));
        } else if (family) {
            writeFamily(out, read, *family);
        } else {
            const SecondCase c = read.second(*second);
            writeSecond(out, c.law->key, computeSecond(c));
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
