// SPDX-License-Identifier: MIT
#include "core/case/family_reader.h"

#include <algorithm>
#include <charconv>

namespace kz::cases {
namespace {

using json::Type;
using Json = json::Value;
using family::Person;

class FamilyReader {
public:
    explicit FamilyReader(const Reader& r) : r_(r) {}

    Person person(const Json& v, const std::string& path) const
    {
        Person p;
        if (v.type == Type::Object && r_.find(v, "same_as")) {
            r_.object(v, path, {"same_as", "before_adoption"});
            p.sameAs = text(r_.need(v, path, "same_as"), path + ".same_as");
            flag(v, path, "before_adoption", p.beforeAdoption);
            return p;
        }
        r_.object(v, path, {"name", "alive", "renounced", "adopted", "deemed_natural", "grandchild", "before_adoption",
                            "half", "degree", "children"});
        p.name = text(r_.need(v, path, "name"), path + ".name");
        flag(v, path, "alive", p.alive);
        flag(v, path, "renounced", p.renounced);
        flag(v, path, "adopted", p.adopted);
        flag(v, path, "deemed_natural", p.deemedNatural);
        flag(v, path, "grandchild", p.grandchild);
        flag(v, path, "before_adoption", p.beforeAdoption);
        flag(v, path, "half", p.half);
        if (const Json* d = r_.find(v, "degree")) {
            const auto [end, ec] = std::from_chars(d->text.data(), d->text.data() + d->text.size(), p.degree);
            if (d->type != Type::Number || ec != std::errc() || end != d->text.data() + d->text.size())
                fail(path + ".degree: expected 1 or 2");
        }
        list(v, path, "children", p.children);
        return p;
    }

    void list(const Json& v, const std::string& path, std::string_view key, std::vector<Person>& into) const
    {
        const Json* l = r_.find(v, key);
        if (!l)
            return;
        const std::string at = path + "." + std::string(key);
        if (l->type != Type::Array)
            fail(at + ": expected a list of persons, got " + typeName(*l));
        int i = 0;
        for (const Json& item : doc().children(*l))
            into.push_back(person(item, at + "[" + std::to_string(i++) + "]"));
    }

    const json::Document& doc() const { return r_.document(); }

private:
    static std::string text(const Json& v, const std::string& path)
    {
        if (v.type != Type::String)
            fail(path + ": expected a text, got " + typeName(v));
        return std::string(v.text);
    }

    void flag(const Json& v, const std::string& path, std::string_view key, bool& into) const
    {
        const Json* b = r_.find(v, key);
        if (!b)
            return;
        if (b->type != Type::Bool)
            fail(path + "." + std::string(key) + ": expected true or false, got " + typeName(*b));
        into = b->text == "true";
    }

    const Reader& r_;
};

void appendPersons(std::string& out, const std::vector<Person>& persons, const std::string& indent);

void appendPerson(std::string& out, const Person& p, const std::string& indent)
{
    auto flag = [&out](std::string_view key, bool on, bool byDefault) {
        if (on == byDefault)
            return;
        out += ", ";
        appendString(out, key);
        out += on ? ": true" : ": false";
    };
    if (!p.sameAs.empty()) {
        out += "{\"same_as\": ";
        appendString(out, p.sameAs);
        flag("before_adoption", p.beforeAdoption, false);
        out += '}';
        return;
    }
    out += "{\"name\": ";
    appendString(out, p.name);
    flag("alive", p.alive, true);
    flag("renounced", p.renounced, false);
    flag("adopted", p.adopted, false);
    flag("deemed_natural", p.deemedNatural, false);
    flag("grandchild", p.grandchild, false);
    flag("before_adoption", p.beforeAdoption, false);
    flag("half", p.half, false);
    if (p.degree != 1)
        out += ", \"degree\": " + std::to_string(p.degree);
    if (!p.children.empty()) {
        out += ", \"children\": ";
        appendPersons(out, p.children, indent);
    }
    out += '}';
}

void appendPersons(std::string& out, const std::vector<Person>& persons, const std::string& indent)
{
    out += '[';
    for (std::size_t i = 0; i < persons.size(); ++i) {
        out += (i ? ",\n  " : "\n  ") + indent;
        appendPerson(out, persons[i], indent + "  ");
    }
    out += persons.empty() ? "]" : "\n" + indent + "]";
}

} // namespace

family::Family readFamily(const Reader& read, const json::Value& v)
{
    const std::string path = "family";
    read.object(v, path, {"law", "spouse", "children", "ascendants", "siblings"});
    family::Family f;
    read.law(v, path, f.law);
    const FamilyReader persons(read);
    if (const Json* spouse = read.find(v, "spouse"); spouse && spouse->type != Type::Null)
        f.spouse = persons.person(*spouse, path + ".spouse");
    persons.list(v, path, "children", f.children);
    persons.list(v, path, "ascendants", f.ascendants);
    persons.list(v, path, "siblings", f.siblings);
    return f;
}

void appendFamily(std::string& out, const family::Family& f, const std::string& indent)
{
    out += "{\n" + indent + "  \"law\": ";
    appendString(out, f.law->key);
    out += ",\n" + indent + "  \"spouse\": ";
    if (f.spouse)
        appendPerson(out, *f.spouse, indent + "  ");
    else
        out += "null";
    for (const auto& [key, persons] : {std::pair{"children", &f.children}, std::pair{"ascendants", &f.ascendants},
                                       std::pair{"siblings", &f.siblings}}) {
        out += ",\n" + indent + "  ";
        appendString(out, key);
        out += ": ";
        appendPersons(out, *persons, indent + "  ");
    }
    out += "\n" + indent + "}";
}

} // namespace kz::cases
