// SPDX-License-Identifier: MIT
#pragma once
// Heirs from the family: who inherits (民法887, 889, 890), at what share (900, 901), how many
// count for the basic deduction and which shares make the total tax (相続税法15, 16), and
// who pays the 2割加算 (相続税法18). Exact fractions throughout. No Qt here.
#include "core/tax_sheet/law.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::family {

// A share as a reduced fraction, den > 0.
struct Fraction {
    std::int64_t num = 0, den = 1;
    friend bool operator==(const Fraction&, const Fraction&) = default;
};
// Checked: a family whose shares leave 64 bits is refused (FamilyError).
Fraction operator+(Fraction a, Fraction b);
Fraction operator*(Fraction a, Fraction b);
Fraction fraction(std::int64_t num, std::int64_t den);
std::string text(Fraction f); // "1/3"; a whole share "1"
std::string percent(Fraction f); // "33.33%", two decimals, halves away from zero

// One person in the family tree. Which flags are read depends on where the person stands.
struct Person {
    std::string name;
    bool alive = true;           // false: died before the decedent
    bool renounced = false;      // 相続の放棄 (民法939): as if never an heir, no 代襲
    // The decedent's children only:
    bool adopted = false;
    bool deemedNatural = false;  // 特別養子, or the spouse's own child: 実子 for 相続税法15③
    bool grandchild = false;     // 孫養子: the decedent's own descendant adopted (相続税法18②)
    // Born before the adoption of the adopted parent above, so no descendant of the decedent
    // through that parent: does not represent him (民法887②ただし書). Leave it off for a child
    // who descends from the decedent by the other parent as well.
    bool beforeAdoption = false;
    bool half = false;           // siblings: half blood (民法900④ただし書)
    int degree = 1;              // ascendants: 1 父母, 2 祖父母
    // Below the decedent's children: this place is held by the person of that name, defined
    // elsewhere in the children's tree (an adopted grandchild who also represents his parent).
    // Only beforeAdoption is read beside it.
    std::string sameAs;
    std::vector<Person> children;
};

struct Family {
    const tax::LawEdition* law = &tax::statedLaw();
    std::optional<Person> spouse;
    std::vector<Person> children, ascendants, siblings;
};

enum class Order : std::uint8_t { Children, Ascendants, Siblings, SpouseOnly, None };

enum class Relation : std::uint8_t {
    Spouse,
    Child,
    Adoptee,
    Representative,        // 代襲相続人 (a grandchild or below, or in a dead adoptee's place)
    AdopteeRepresentative, // one person in two places
    Parent,
    Grandparent,
    Sibling,
    HalfSibling,
    NephewNiece,
};

struct Heir {
    std::string name;
    Relation relation = Relation::Child;
    Fraction share;
    bool surcharge = false; // 相続税額の2割加算 (相続税法18)
    bool renounced = false; // tax shares only: inside the count though he renounced
};

struct Renouncer {
    std::string name;
    bool surcharge = false; // on what he still takes by bequest
};

struct Judgement {
    Order order = Order::None;
    std::vector<Heir> heirs;          // spouse first, then in the tree's order
    std::vector<Renouncer> renounced;
    // 相続税法15②, 16: as if nobody renounced, and only the counted adoptees.
    Order taxOrder = Order::None;
    std::vector<Heir> taxShares;
    int taxHeirs = 0;
    int adoptees = 0;        // adopted children among those heirs, 実子 by 15③ aside
    int adopteesCounted = 0; // the first ones, up to the limit
    bool natural = false;    // a 実子 (or one deemed so) among them: the limit is 1, else 2
    std::int32_t basicDeduction = 0; // thousands of yen, under the family's law
};

struct FamilyError {
    std::string message; // Japanese, for the window and the batch
};

// Throws FamilyError for a family that cannot be judged as given.
Judgement judge(const Family& f);

std::string_view relationWord(Relation r); // "養子・代襲相続人"
std::string_view orderKey(Order o);        // "children", "spouse_only"
std::string_view orderWord(Order o);       // "第1順位（子）"
// The articles a share follows: "民法900条1号".
std::string article(const Heir& h, Order order);

} // namespace kz::family
