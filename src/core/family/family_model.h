// SPDX-License-Identifier: MIT
#pragma once
// The 相続人の判定 window without a window: the family being entered, each person's marks and
// which marks a place has, and the judgement (or the refusal) of the family as it stands,
// worked out again after every change. No Qt here.
#include "core/family/family.h"
#include "core/family/sheet_fill.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kz::family {

enum class Branch : std::uint8_t { Spouse, Children, Ascendants, Siblings };

// A person's place: the branch, then the indices down the tree (empty for the spouse).
struct Place {
    Branch branch = Branch::Children;
    std::vector<std::size_t> path;
    friend bool operator==(const Place&, const Place&) = default;
};

enum class Mark : std::uint8_t { Dead, Renounced, Adopted, DeemedNatural, Grandchild, BeforeAdoption, Half, Grandparent };
inline constexpr int kMarkCount = 8;

class FamilyModel {
public:
    explicit FamilyModel(const tax::LawEdition& law = tax::statedLaw());

    std::function<void()> changed; // after every change of the family or its law

    const Family& family() const { return family_; }
    void setFamily(Family f);
    void setLaw(const tax::LawEdition& law);

    // New persons get a name not yet taken ("子1", "孫2"); each returns the new place.
    Place addSpouse();
    // A child of the person at `under` (a grandchild, a nephew), or of the decedent.
    std::optional<Place> addChild(const std::optional<Place>& under);
    Place addAscendant(int degree);
    Place addSibling();
    // Below a person of the children's tree: a place held by someone already entered, the
    // first adopted grandchild (孫養子) who does not yet stand there; empty when there is none.
    std::optional<Place> addSameAs(const Place& under);
    void remove(const Place& p);

    const Person* person(const Place& p) const;
    void setName(const Place& p, std::string name);
    // The marks a place has a check box for.
    bool has(const Place& p, Mark m) const;
    bool mark(const Place& p, Mark m) const;
    void setMark(const Place& p, Mark m, bool on);

    const std::optional<Judgement>& judgement() const { return judgement_; }
    const std::string& refusal() const { return refusal_; }
    // The sheet's fill of the judgement; empty while the family is refused.
    std::optional<SheetFill> fill() const;

private:
    Person* at(const Place& p);
    std::vector<Person>* list(Branch b);
    std::string freeName(const std::string& stem) const;
    void judgeAgain();

    Family family_;
    std::optional<Judgement> judgement_;
    std::string refusal_;
};

} // namespace kz::family
