// SPDX-License-Identifier: MIT
#include "core/case/assets_case.h"

#include <charconv>

namespace kz::cases {

namespace {

using json::Type;
using Json = json::Value;

std::string join(const std::string& path, std::string_view key) { return path + "." + std::string(key); }

std::int64_t wholeAmount(const Json& v, const std::string& path)
{
    if (v.type != Type::Number)
        fail(path + ": expected a number of 千円, got " + typeName(v));
    std::int64_t out = 0;
    const auto [end, ec] = std::from_chars(v.text.data(), v.text.data() + v.text.size(), out);
    if (ec == std::errc::result_out_of_range)
        fail(path + ": " + std::string(v.text) + " is beyond any amount the sheet holds");
    if (ec != std::errc() || end != v.text.data() + v.text.size())
        fail(path + ": expected a whole number of 千円, got " + std::string(v.text));
    return out;
}

assets::Area area(const Json& v, const std::string& path)
{
    const std::optional<assets::Area> a = v.type == Type::Number ? assets::parseArea(v.text) : std::nullopt;
    if (!a)
        fail(path + ": expected ㎡ of at least 0 with at most two decimals, got " +
             (v.type == Type::Number ? std::string(v.text) : std::string(typeName(v))));
    return *a;
}

std::string_view text(const Json& v, const std::string& path)
{
    if (v.type != Type::String)
        fail(path + ": expected a text, got " + typeName(v));
    return v.text;
}

assets::Date date(const Json& v, const std::string& path)
{
    const std::optional<assets::Date> d = assets::parseDate(text(v, path));
    if (!d)
        fail(path + ": " + named(v.text) + " is no date (YYYY-MM-DD)");
    return *d;
}

void number(std::string& out, std::string_view key, std::int64_t v)
{
    appendString(out, key);
    out += ':' + std::to_string(v);
}

} // namespace

assets::Estate readAssets(const Reader& r, const json::Document& doc, const Json& v)
{
    const std::string path = "assets";
    r.object(v, path, {"law", "death", "tax_heirs", "persons"});
    assets::Estate e;
    if (const Json* law = r.find(v, "law")) {
        e.law = law->type == Type::String ? assets::assetsLaw(law->text) : nullptr;
        if (!e.law)
            fail(join(path, "law") + ": expected \"h20\" or \"r6\"");
    }
    e.death = date(r.need(v, path, "death"), join(path, "death"));
    const std::int64_t heirs = wholeAmount(r.need(v, path, "tax_heirs"), join(path, "tax_heirs"));
    if (heirs < 0 || heirs > 32767)
        fail(join(path, "tax_heirs") + ": " + std::to_string(heirs) + " is outside 0..32767");
    e.taxHeirs = static_cast<int>(heirs);
    const Json& persons = r.need(v, path, "persons");
    if (persons.type != Type::Array)
        fail(join(path, "persons") + ": expected a list, got " + typeName(persons));
    std::size_t i = 0;
    for (const Json& pv : doc.children(persons)) {
        const std::string at = path + ".persons[" + std::to_string(i++) + "]";
        r.object(pv, at, {"name", "heir", "insurance", "retirement", "property", "debts", "funeral", "land", "gifts"});
        assets::Person p;
        if (const Json* name = r.find(pv, "name"))
            p.name = std::string(text(*name, join(at, "name")));
        if (const Json* heir = r.find(pv, "heir")) {
            if (heir->type != Type::Bool)
                fail(join(at, "heir") + ": expected true or false, got " + typeName(*heir));
            p.heir = heir->text == "true";
        }
        for (const auto& [key, into] : {std::pair{"insurance", &p.insurance}, {"retirement", &p.retirement},
                                        {"property", &p.property}, {"debts", &p.debts}, {"funeral", &p.funeral}})
            if (const Json* a = r.find(pv, key))
                *into = wholeAmount(*a, join(at, key));
        auto items = [&](std::string_view key, auto&& read) {
            const Json* list = r.find(pv, key);
            if (!list)
                return;
            if (list->type != Type::Array)
                fail(join(at, key) + ": expected a list, got " + typeName(*list));
            std::size_t k = 0;
            for (const Json& item : doc.children(*list))
                read(item, join(at, key) + "[" + std::to_string(k++) + "]");
        };
        items("land", [&](const Json& lv, const std::string& lp) {
            r.object(lv, lp, {"use", "area", "value", "chosen"});
            const std::string_view use = text(r.need(lv, lp, "use"), join(lp, "use"));
            const std::optional<assets::Use> u = assets::useNamed(use);
            if (!u)
                fail(join(lp, "use") + ": expected \"residence\", \"business\", \"company\", \"rental\" or \"other\"");
            assets::Lot lot{*u, area(r.need(lv, lp, "area"), join(lp, "area")), 0, 0};
            lot.value = wholeAmount(r.need(lv, lp, "value"), join(lp, "value"));
            const Json* chosen = r.find(lv, "chosen");
            lot.chosen = chosen ? area(*chosen, join(lp, "chosen")) : lot.area;
            p.land.push_back(lot);
        });
        items("gifts", [&](const Json& gv, const std::string& gp) {
            r.object(gv, gp, {"date", "amount"});
            p.gifts.push_back({date(r.need(gv, gp, "date"), join(gp, "date")),
                               wholeAmount(r.need(gv, gp, "amount"), join(gp, "amount"))});
        });
        e.persons.push_back(std::move(p));
    }
    return e;
}

void appendAssets(std::string& out, const assets::Estate& e)
{
    out += "{\"law\":";
    appendString(out, e.law->key);
    out += ",\"death\":";
    appendString(out, assets::isoText(e.death));
    out += ',';
    number(out, "tax_heirs", e.taxHeirs);
    out += ",\"persons\":[";
    for (std::size_t i = 0; i < e.persons.size(); ++i) {
        const assets::Person& p = e.persons[i];
        out += i ? ",{\"name\":" : "{\"name\":";
        appendString(out, p.name);
        out += p.heir ? ",\"heir\":true" : ",\"heir\":false";
        for (const auto& [key, v] : {std::pair{"insurance", p.insurance}, {"retirement", p.retirement},
                                     {"property", p.property}, {"debts", p.debts}, {"funeral", p.funeral}}) {
            out += ',';
            number(out, key, v);
        }
        out += ",\"land\":[";
        for (std::size_t k = 0; k < p.land.size(); ++k) {
            const assets::Lot& l = p.land[k];
            out += k ? ",{\"use\":" : "{\"use\":";
            appendString(out, assets::useKey(l.use));
            out += ",\"area\":" + assets::areaText(l.area) + ',';
            number(out, "value", l.value);
            out += ",\"chosen\":" + assets::areaText(l.chosen) + '}';
        }
        out += "],\"gifts\":[";
        for (std::size_t k = 0; k < p.gifts.size(); ++k) {
            out += k ? ",{\"date\":" : "{\"date\":";
            appendString(out, assets::isoText(p.gifts[k].date));
            out += ',';
            number(out, "amount", p.gifts[k].amount);
            out += '}';
        }
        out += "]}";
    }
    out += "]}";
}

void appendAssetsAnswer(std::string& out, const assets::Estate& e, const assets::Worked& w)
{
    out += "{\"law\":";
    appendString(out, e.law->key);
    out += ',';
    number(out, "exempt_limit", w.exemptLimit);
    out += ",\"persons\":[";
    for (std::size_t i = 0; i < e.persons.size(); ++i) {
        const assets::PersonWorked& pw = w.persons[i];
        out += i ? ",{\"name\":" : "{\"name\":";
        appendString(out, e.persons[i].name);
        for (const auto& [key, v] : {std::pair{"deemed", static_cast<std::int64_t>(pw.rows[assets::Deemed])},
                                     {"exempt", static_cast<std::int64_t>(pw.rows[assets::Exempt])},
                                     {"land_reduction", pw.landReduction},
                                     {"addback", static_cast<std::int64_t>(pw.rows[assets::Addback])}}) {
            out += ',';
            number(out, key, v);
        }
        out += ",\"rows\":[";
        for (int r = 0; r < assets::kRows; ++r) {
            if (r)
                out += ',';
            out += std::to_string(pw.rows[static_cast<std::size_t>(r)]);
        }
        out += "]}";
    }
    out += "],\"land_total_area\":{";
    for (int g = 0; g < assets::kGroupCount; ++g) {
        out += g ? "," : "";
        appendString(out, assets::groupKey(static_cast<assets::Group>(g)));
        out += ':';
        appendString(out, assets::areaText(w.chosenArea[static_cast<std::size_t>(g)]));
    }
    out += "}}";
}

} // namespace kz::cases
