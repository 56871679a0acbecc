// SPDX-License-Identifier: MIT
#include "core/family/family_model.h"

#include <algorithm>
#include <set>

namespace kz::family {
namespace {

void collectNames(const std::vector<Person>& persons, std::set<std::string>& names)
{
    for (const Person& p : persons) {
        names.insert(p.name);
        collectNames(p.children, names);
    }
}

Person named(std::string name, int degree = 1)
{
    Person p;
    p.name = std::move(name);
    p.degree = degree;
    return p;
}

bool* flagOf(Person& p, Mark m)
{
    switch (m) {
    case Mark::Dead: return nullptr; // alive, inverted
    case Mark::Renounced: return &p.renounced;
    case Mark::Adopted: return &p.adopted;
    case Mark::DeemedNatural: return &p.deemedNatural;
    case Mark::Grandchild: return &p.grandchild;
    case Mark::BeforeAdoption: return &p.beforeAdoption;
    case Mark::Half: return &p.half;
    case Mark::Grandparent: return nullptr; // degree 2
    }
    return nullptr;
}

} // namespace

FamilyModel::FamilyModel(const tax::LawEdition& law)
{
    family_.law = &law;
    judgeAgain();
}

void FamilyModel::setFamily(Family f)
{
    family_ = std::move(f);
    judgeAgain();
}

void FamilyModel::setLaw(const tax::LawEdition& law)
{
    family_.law = &law;
    judgeAgain();
}

std::vector<Person>* FamilyModel::list(Branch b)
{
    switch (b) {
    case Branch::Children: return &family_.children;
    case Branch::Ascendants: return &family_.ascendants;
    case Branch::Siblings: return &family_.siblings;
    case Branch::Spouse: break;
    }
    return nullptr;
}

Person* FamilyModel::at(const Place& p)
{
    if (p.branch == Branch::Spouse)
        return family_.spouse ? &*family_.spouse : nullptr;
    std::vector<Person>* persons = list(p.branch);
    Person* found = nullptr;
    for (const std::size_t i : p.path) {
        if (!persons || i >= persons->size())
            return nullptr;
        found = &(*persons)[i];
        persons = &found->children;
    }
    return found;
}

const Person* FamilyModel::person(const Place& p) const { return const_cast<FamilyModel*>(this)->at(p); }

std::string FamilyModel::freeName(const std::string& stem) const
{
    std::set<std::string> names;
    if (family_.spouse)
        names.insert(family_.spouse->name);
    collectNames(family_.children, names);
    collectNames(family_.ascendants, names);
    collectNames(family_.siblings, names);
    for (int n = 1;; ++n)
        if (const std::string name = stem + std::to_string(n); !names.contains(name))
            return name;
}

Place FamilyModel::addSpouse()
{
    if (!family_.spouse)
        family_.spouse = named("配偶者");
    judgeAgain();
    return {Branch::Spouse, {}};
}

std::optional<Place> FamilyModel::addChild(const std::optional<Place>& under)
{
    Place place{Branch::Children, {}};
    std::vector<Person>* persons = &family_.children;
    std::string stem = "子";
    if (under && under->branch != Branch::Spouse) {
        Person* parent = at(*under);
        if (!parent || under->branch == Branch::Ascendants || !parent->sameAs.empty())
            return std::nullopt;
        place = *under;
        persons = &parent->children;
        stem = under->branch == Branch::Siblings ? "甥姪" : under->path.size() == 1 ? "孫" : "曾孫";
    }
    place.path.push_back(persons->size());
    persons->push_back(named(freeName(stem)));
    judgeAgain();
    return place;
}

Place FamilyModel::addAscendant(int degree)
{
    family_.ascendants.push_back(named(freeName(degree == 1 ? "父母" : "祖父母"), degree));
    judgeAgain();
    return {Branch::Ascendants, {family_.ascendants.size() - 1}};
}

Place FamilyModel::addSibling()
{
    family_.siblings.push_back(named(freeName("兄弟姉妹")));
    judgeAgain();
    return {Branch::Siblings, {family_.siblings.size() - 1}};
}

std::optional<Place> FamilyModel::addSameAs(const Place& under)
{
    Person* parent = at(under);
    if (under.branch != Branch::Children || !parent || !parent->sameAs.empty())
        return std::nullopt;
    for (const Person& c : family_.children) {
        const bool there = std::any_of(parent->children.begin(), parent->children.end(),
                                       [&](const Person& p) { return p.sameAs == c.name || p.name == c.name; });
        if (c.grandchild && &c != parent && !there) {
            Place place = under;
            place.path.push_back(parent->children.size());
            Person same;
            same.sameAs = c.name;
            parent->children.push_back(std::move(same));
            judgeAgain();
            return place;
        }
    }
    return std::nullopt;
}

void FamilyModel::remove(const Place& p)
{
    if (p.branch == Branch::Spouse) {
        family_.spouse.reset();
    } else if (!p.path.empty()) {
        Place parent = p;
        parent.path.pop_back();
        std::vector<Person>* persons = parent.path.empty() ? list(p.branch) : &at(parent)->children;
        if (!persons || p.path.back() >= persons->size())
            return;
        persons->erase(persons->begin() + static_cast<std::ptrdiff_t>(p.path.back()));
    }
    judgeAgain();
}

void FamilyModel::setName(const Place& p, std::string name)
{
    Person* person = at(p);
    if (!person)
        return;
    std::string& slot = person->sameAs.empty() ? person->name : person->sameAs;
    if (slot == name)
        return;
    // Those who stand for him elsewhere follow his new name.
    auto follow = [&](auto&& self, std::vector<Person>& persons) -> void {
        for (Person& c : persons) {
            if (c.sameAs == slot && person->sameAs.empty())
                c.sameAs = name;
            self(self, c.children);
        }
    };
    if (p.branch == Branch::Children)
        follow(follow, family_.children);
    slot = std::move(name);
    judgeAgain();
}

bool FamilyModel::has(const Place& p, Mark m) const
{
    const Person* person = this->person(p);
    if (!person)
        return false;
    if (!person->sameAs.empty())
        return m == Mark::BeforeAdoption;
    const bool top = p.path.size() == 1;
    switch (p.branch) {
    case Branch::Spouse: return m == Mark::Renounced;
    case Branch::Children:
        if (top)
            return m == Mark::Dead || m == Mark::Renounced || m == Mark::Adopted || m == Mark::DeemedNatural ||
                   m == Mark::Grandchild;
        return m == Mark::Dead || m == Mark::Renounced || m == Mark::BeforeAdoption;
    case Branch::Ascendants: return m == Mark::Dead || m == Mark::Renounced || m == Mark::Grandparent;
    case Branch::Siblings:
        return m == Mark::Dead || m == Mark::Renounced || (top ? m == Mark::Half : m == Mark::BeforeAdoption);
    }
    return false;
}

bool FamilyModel::mark(const Place& p, Mark m) const
{
    const Person* person = this->person(p);
    if (!person)
        return false;
    if (m == Mark::Dead)
        return !person->alive;
    if (m == Mark::Grandparent)
        return person->degree == 2;
    return *flagOf(const_cast<Person&>(*person), m);
}

void FamilyModel::setMark(const Place& p, Mark m, bool on)
{
    Person* person = at(p);
    if (!person || !has(p, m) || mark(p, m) == on)
        return;
    if (m == Mark::Dead)
        person->alive = !on;
    else if (m == Mark::Grandparent)
        person->degree = on ? 2 : 1;
    else
        *flagOf(*person, m) = on;
    // 実子とみなす者 and 孫養子 are adoptees.
    if (on && (m == Mark::DeemedNatural || m == Mark::Grandchild))
        person->adopted = true;
    if (!on && m == Mark::Adopted)
        person->deemedNatural = person->grandchild = false;
    judgeAgain();
}

std::optional<SheetFill> FamilyModel::fill() const
{
    if (!judgement_)
        return std::nullopt;
    return sheetFill(*judgement_);
}

void FamilyModel::judgeAgain()
{
    judgement_.reset();
    refusal_.clear();
    try {
        judgement_ = judge(family_);
    } catch (const FamilyError& e) {
        refusal_ = e.message;
    }
    if (changed)
        changed();
}

} // namespace kz::family
