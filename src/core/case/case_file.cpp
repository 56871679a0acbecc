// SPDX-License-Identifier: MIT
#include "core/case/case_file.h"

#include "core/case/assets_case.h"
#include "core/case/family_reader.h"
#include "core/case/reader.h"
#include "core/common/format.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace kz::cases {

namespace {

using json::Type;
using Json = json::Value;


// A text that is a JSON number without an exponent is written as one: read back, the
// number's token is the field's text again, character for character ("0.00", "-5").
bool isPlainNumber(std::string_view s)
{
    std::size_t i = s.starts_with('-') ? 1 : 0;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9')
            ++i;
        return i - from;
    };
    const std::size_t from = i;
    const std::size_t whole = digits();
    if (whole == 0 || (whole > 1 && s[from] == '0'))
        return false;
    if (i < s.size() && s[i] == '.') {
        ++i;
        if (digits() == 0)
            return false;
    }
    return i == s.size();
}

void appendText(std::string& out, std::string_view text)
{
    if (isPlainNumber(text))
        out += text;
    else
        appendString(out, text);
}

void appendKey(std::string& out, std::string_view key) { json::appendKey(out, key, ": "); }

void appendSheet(std::string& out, const SheetCase& c)
{
    out += "  \"sheet\": {\n    \"law\": ";
    appendString(out, c.law->key);
    out += ",\n    \"amounts\": {";
    bool first = true;
    for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
        if (!c.typed[p])
            continue;
        out += first ? "\n      " : ",\n      ";
        first = false;
        appendKey(out, kPersonKeys[p]);
        out += '[';
        for (std::size_t i = 0; i < c.amounts[p].size(); ++i) {
            out += i ? ", " : "";
            appendText(out, c.amounts[p][i]);
        }
        out += ']';
    }
    out += first ? "},\n    \"heirs\": " : "\n    },\n    \"heirs\": ";
    appendText(out, c.heirs);
    out += ",\n    \"shares\": {";
    first = true;
    for (std::size_t p = 0; p < kPersonKeys.size(); ++p) {
        if (c.numerators[p].empty() && c.denominators[p].empty())
            continue;
        out += first ? "\n      " : ",\n      ";
        first = false;
        appendKey(out, kPersonKeys[p]);
        out += '[';
        appendText(out, c.numerators[p]);
        out += ", ";
        appendText(out, c.denominators[p]);
        out += ']';
    }
    out += first ? "},\n    \"minor_years\": {" : "\n    },\n    \"minor_years\": {";
    for (std::size_t h = 0; h < c.years.size(); ++h) {
        out += h ? ", " : "";
        appendKey(out, kMinorKeys[h]);
        appendText(out, c.years[h]);
    }
    out += '}';
    // Written only when set, so that a sheet without them reads as it always did.
    if (std::find(c.surcharge.begin(), c.surcharge.end(), true) != c.surcharge.end()) {
        out += ",\n    \"surcharge\": {";
        for (std::size_t h = 0; h < c.surcharge.size(); ++h) {
            out += h ? ", " : "";
            appendKey(out, kPersonKeys[h + 1]);
            out += c.surcharge[h] ? "true" : "false";
        }
        out += '}';
    }
    if (std::any_of(c.names.begin(), c.names.end(), [](const std::string& n) { return !n.empty(); })) {
        out += ",\n    \"names\": {";
        bool firstName = true;
        for (std::size_t p = 0; p < c.names.size(); ++p)
            if (!c.names[p].empty()) {
                out += std::exchange(firstName, false) ? "" : ", ";
                appendKey(out, kPersonKeys[p]);
                appendString(out, c.names[p]);
            }
        out += '}';
    }
    out += "\n  }\n";
}

void appendCoefficient(std::string& out, const CoefficientCase& c)
{
    const coef::CalcInfo& ci = coef::calc(c.calc);
    out += "{\"calculation\": ";
    appendString(out, ci.name);
    out += ", \"inputs\": {";
    // In the order of the calculation's fields on its tab.
    std::vector<std::pair<int, const std::string*>> inputs{{ci.yearsField, &c.years}, {ci.rateField, &c.rate}};
    if (ci.amountField != coef::kNone)
        inputs.emplace_back(ci.amountField, &c.amount);
    std::sort(inputs.begin(), inputs.end());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        out += i ? ", " : "";
        appendKey(out, fieldKey(inputs[i].first));
        appendText(out, *inputs[i].second);
    }
    out += "}}";
}

void appendSecond(std::string& out, const SecondCase& c)
{
    out += "  \"second\": {\"law\": ";
    appendString(out, c.law->key);
    if (c.secondLaw) {
        out += ", \"second_law\": ";
        appendString(out, c.secondLaw->key);
    }
    for (const auto& [key, text] : {std::pair{"estate", &c.estate}, std::pair{"children", &c.children},
                                    std::pair{"spouse_share", &c.spouseShare}, std::pair{"spouse_assets", &c.spouseAssets},
                                    std::pair{"years", &c.years}}) {
        out += ", ";
        appendKey(out, key);
        appendText(out, *text);
    }
    out += "}\n";
}

std::string digits(std::int64_t v) { return std::to_string(v); }

FileCase readWhole(const json::Document& doc, const Json& root)
{
    const Reader r(doc);
    r.object(root, "file", {"kazenoha", "sheet", "coefficient", "second", "assets", "family"});
    FileCase c;
    const Json* sheet = r.find(root, "sheet");
    const Json* coefficient = r.find(root, "coefficient");
    const Json* second = r.find(root, "second");
    if (!!sheet + !!coefficient + !!second != 1)
        fail("a case file holds exactly one of \"sheet\", \"coefficient\" and \"second\"");
    if (sheet) {
        c.window = Window::Sheet;
        c.sheet = r.sheet(*sheet);
        if (const Json* assets = r.find(root, "assets"))
            c.assets = readAssets(r, doc, *assets);
        // The family the sheet was filled from, if any: a file without it opens as before.
        if (const Json* family = r.find(root, "family"))
            c.family = readFamily(r, *family);
    } else if (r.find(root, "assets")) {
        fail("assets: only beside a \"sheet\"");
    } else if (second) {
        if (r.find(root, "family"))
            fail("a family goes with a sheet only");
        c.window = Window::Second;
        c.second = r.second(*second);
    } else {
        if (r.find(root, "family"))
            fail("a family goes with a sheet only");
        c.window = Window::Coefficients;
        if (coefficient->type != Type::Array)
            fail(std::string("coefficient: expected a list of calculations, got ") + typeName(*coefficient));
        int index = 0;
        for (const Json& item : doc.children(*coefficient)) {
            const std::string path = "coefficient[" + std::to_string(index++) + "]";
            CoefficientCase one = r.coefficient(item, path);
            if (std::any_of(c.coefficients.begin(), c.coefficients.end(), [&](const auto& o) { return o.calc == one.calc; }))
                fail(path + ": " + named(calcName(one.calc)) + " given twice");
            c.coefficients.push_back(std::move(one));
        }
    }
    return c;
}

} // namespace

ReadFile readCaseFile(std::string_view bytes)
{
    using Kind = FileError::Kind;
    const auto refused = [](Kind kind, std::string detail) { return ReadFile{std::nullopt, {kind, std::move(detail)}}; };
    if (bytes.size() > kMaxFileBytes)
        return refused(Kind::TooLarge, std::to_string(bytes.size()) + " bytes");
    json::skipByteOrderMark(bytes);
    if (const std::size_t bad = json::invalidUtf8At(bytes); bad != std::string_view::npos)
        return refused(Kind::NotUtf8, "byte " + std::to_string(bad + 1));
    json::Document doc;
    const Json* root = nullptr;
    try {
        root = &doc.parse(bytes, json::kMaxDepth);
    } catch (const json::ParseError& e) {
        return refused(Kind::NotJson, e.what());
    }
    const Json* version = root->type == Type::Object ? doc.find(*root, "kazenoha") : nullptr;
    if (!version)
        return refused(Kind::NotACase, "no \"kazenoha\" key");
    const double v = version->type == Type::Number ? plainValue(std::string(version->text)) : 0;
    // Whole and finite, checked on the double: 1e400 reads as infinity, and casting that (or
    // anything beyond long long) to an integer is undefined.
    if (!std::isfinite(v) || v < 1 || v != std::trunc(v))
        return refused(Kind::NotACase, "kazenoha: expected a version number 1, 2, …");
    if (v > kFormatVersion)
        return refused(Kind::Newer, std::string(version->text));
    try {
        return {readWhole(doc, *root), {}};
    } catch (const CaseError& e) {
        return refused(Kind::BadValue, e.message);
    }
}

std::string caseFileText(const FileCase& c)
{
    std::string out = "{\n  \"kazenoha\": " + std::to_string(kFormatVersion) + ",\n";
    switch (c.window) {
    case Window::Sheet:
        appendSheet(out, c.sheet);
        if (c.assets) {
            out.pop_back();
            out += ",\n  \"assets\": ";
            appendAssets(out, *c.assets);
            out += '\n';
        }
        if (c.family) {
            out.pop_back();
            out += ",\n  \"family\": ";
            appendFamily(out, *c.family, "  ");
            out += '\n';
        }
        break;
    case Window::Second:
        appendSecond(out, c.second);
        break;
    case Window::Coefficients:
        out += "  \"coefficient\": [";
        for (std::size_t i = 0; i < c.coefficients.size(); ++i) {
            out += i ? ",\n    " : "\n    ";
            appendCoefficient(out, c.coefficients[i]);
        }
        out += c.coefficients.empty() ? "]\n" : "\n  ]\n";
        break;
    }
    out += "}\n";
    return out;
}

SheetCase sheetCase(const tax::TaxSheet& sheet)
{
    SheetCase c;
    c.law = &sheet.law();
    for (int p = 1; p <= tax::kPersons; ++p) {
        const auto at = static_cast<std::size_t>(p - 1);
        for (int i = 0; i < tax::kAmountRows; ++i) {
            const std::int32_t amount = sheet.kingaku(p, i);
            c.amounts[at][static_cast<std::size_t>(i)] = digits(amount);
            c.typed[at] = c.typed[at] || amount != 0;
        }
    }
    c.heirs = sheet.text(tax::heirCountField());
    for (int k = 0; k < tax::kPersons; ++k) {
        c.numerators[static_cast<std::size_t>(k)] = sheet.text(tax::numeratorField(k));
        c.denominators[static_cast<std::size_t>(k)] = sheet.text(tax::denominatorField(k));
    }
    for (int p = 2; p <= 4; ++p) {
        c.years[static_cast<std::size_t>(p - 2)] = sheet.text(tax::yearsField(p));
        c.surcharge[static_cast<std::size_t>(p - 2)] = sheet.surcharged(p);
    }
    for (int p = 1; p <= 4; ++p)
        c.names[static_cast<std::size_t>(p - 1)] = sheet.columnName(p);
    return c;
}

std::vector<CoefficientCase> coefficientCases(const coef::Calculator& model)
{
    std::vector<CoefficientCase> out;
    for (int i = 0; i < coef::kCalcCount; ++i) {
        const coef::CalcInfo& ci = coef::calc(coef::calcAt(i));
        CoefficientCase c;
        c.calc = coef::calcAt(i);
        bool entered = false;
        if (ci.amountField != coef::kNone) {
            const std::int32_t amount = model.amount(coef::field(ci.amountField).slot);
            c.amount = digits(amount);
            entered = amount != 0;
        }
        c.years = model.text(ci.yearsField);
        c.rate = model.text(ci.rateField);
        entered = entered || c.years != coef::field(ci.yearsField).initial || c.rate != coef::field(ci.rateField).initial;
        if (entered)
            out.push_back(std::move(c));
    }
    return out;
}

SecondCase secondCase(const second::StudyForm& form)
{
    const second::StudyInput& in = form.input();
    SecondCase c;
    c.law = in.law;
    c.secondLaw = in.secondLaw;
    c.estate = digits(in.estate);
    c.children = digits(in.children);
    c.spouseShare = digits(in.spouseShare);
    c.spouseAssets = digits(in.spouseAssets);
    c.years = digits(in.years);
    return c;
}

} // namespace kz::cases
