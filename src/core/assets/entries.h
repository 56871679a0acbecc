// SPDX-License-Identifier: MIT
#pragma once
// The 財産の内訳 window's entries as typed: one list of items, each naming its person, and
// their reading into an Estate. Several items of one kind add up (two policies, two debts).
// No Qt here; texts are UTF-8.
#include "core/assets/assets.h"

#include <array>
#include <string>
#include <vector>

namespace kz::assets {

enum class Kind : std::uint8_t {
    Insurance, Retirement, Property, Debts, Funeral,
    LandResidence, LandBusiness, LandCompany, LandRental, LandOther,
    Gift,
};
inline constexpr int kKindCount = 11;
std::string_view kindCaption(Kind k); // "生命保険金", "宅地（特定居住用）" …
inline bool isLand(Kind k) { return k >= Kind::LandResidence && k <= Kind::LandOther; }

struct ItemTexts {
    int person = 0; // 0..kMaxPersons-1: the sheet's column
    Kind kind = Kind::Property;
    std::string amount, area, chosen, date; // chosen empty: the whole area
};

struct PersonTexts {
    std::string name;
    bool heir = false;
};

struct EstateTexts {
    std::string death, taxHeirs;
    std::array<PersonTexts, kMaxPersons> persons;
    std::vector<ItemTexts> items;
};

// A fresh window: the sheet's columns, heirs but the legatee.
EstateTexts freshTexts();

// Reads every text; throws AssetsError naming the item's line (from 1) and what it holds.
// The estate has all kMaxPersons persons.
Estate readEstate(const EstateTexts& t, const AssetsLaw& law);
// The entries that read back as `e` (the window opening a case).
EstateTexts textsOf(const Estate& e);
// Whether a person has any item: only such a person's column is written to the sheet.
bool hasItems(const EstateTexts& t, int person);

} // namespace kz::assets
