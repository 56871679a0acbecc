// SPDX-License-Identifier: MIT
#pragma once
// The sheet's six amounts per person worked out from the client's assets: the tax-free part
// of death insurance and retirement benefits (相続税法12条1項5号・6号), the reduction of
// small residential and business lots (租税特別措置法69条の4) and the gifts added back
// (相続税法19条), each under the law edition the sheet follows. Amounts are whole 千円 as on
// the sheet; every division rounds down, which never gives more relief than the law.
// No Qt here; texts are UTF-8.
#include "core/assets/civil_date.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kz::assets {

// What the model refuses, in words for the user; `person` is the person's index or -1.
struct AssetsError : std::runtime_error {
    AssetsError(const std::string& message, int person = -1) : std::runtime_error(message), person(person) {}
    int person;
};

enum class Use : std::uint8_t { Residence, Business, Company, Rental, Other };
inline constexpr int kUseCount = 5;
std::string_view useKey(Use u);     // "residence" …, as a case names it
std::string_view useCaption(Use u); // "特定居住用" …
std::optional<Use> useNamed(std::string_view key);

// The groups the area rules weigh: residence; business with company; rental (under 平成20
// with the land its acquirer did not go on using).
enum class Group : std::uint8_t { Residence, Business, Rental };
inline constexpr int kGroupCount = 3;
std::string_view groupKey(Group g);

// An area in hundredths of a square metre: the rules' ratios (200/330, 5/3) are compared
// exactly in integers, never in doubles.
using Area = std::int64_t;
// "66.66", "100", "100.5"; nullopt for a negative, more than two decimals or no number.
std::optional<Area> parseArea(std::string_view text);
std::string areaText(Area a); // "66.66", "100.00"
// A whole amount in 千円 ("30,000" or "30000"; empty is 0); nullopt for anything else.
std::optional<std::int64_t> parseAmount(std::string_view text);

// One area rule: Σ weight × chosen area of the group ≤ limit × divisor.
struct AreaRule {
    std::string_view caption;
    std::array<int, kGroupCount> weight;
    int divisor;
    Area limit;
    enum class When : std::uint8_t { Always, WithRental, WithoutRental } when;
};

// The gifts added back: those within `years` of the death; from `longFrom` on the period
// grows to `longYears`, and what lies beyond `years` is added less `olderDeduction` in all.
struct GiftPeriod {
    int years;
    int longYears;
    std::optional<Date> longFrom;
    std::int64_t olderDeduction;
};

struct AssetsLaw {
    std::string_view key;     // "h20", "r6": the sheet's editions
    std::string_view caption; // in messages: "平成20年の法令等"
    std::int64_t exemptPerHeir;              // 5,000千円 for insurance and for retirement each
    std::array<int, kUseCount> ratePercent;  // 0: the edition does not know the use
    std::span<const AreaRule> areaRules;
    GiftPeriod gifts;
};

std::span<const AssetsLaw> assetsLaws();
const AssetsLaw* assetsLaw(std::string_view key);

struct Lot {
    Use use = Use::Residence;
    Area area = 0;
    std::int64_t value = 0;
    Area chosen = 0; // the ㎡ taken for the 特例
};

struct Gift {
    Date date;
    std::int64_t amount = 0;
};

struct Person {
    std::string name;
    bool heir = false; // a renouncer or a legatee has no tax-free part
    std::int64_t insurance = 0, retirement = 0, property = 0, debts = 0, funeral = 0;
    std::vector<Lot> land;
    std::vector<Gift> gifts;
};

// At most the sheet's five columns: person i fills column i + 1.
inline constexpr int kMaxPersons = 5;

struct Estate {
    const AssetsLaw* law = &assetsLaws()[0];
    Date death{};
    int taxHeirs = 0; // 法定相続人の数 as the tax counts it
    std::vector<Person> persons;
};

// The sheet's amount rows 0..5.
enum Row : std::uint8_t { Acquired, Deemed, Exempt, Debts, Funeral, Addback };
inline constexpr int kRows = 6;

struct LotWorked {
    std::int64_t reduction = 0;
    int ratePercent = 0;
};

struct PersonWorked {
    std::int64_t insuranceExempt = 0, retirementExempt = 0;
    std::int64_t landValue = 0, landReduction = 0;
    std::vector<LotWorked> lots;
    std::int64_t giftsWithin = 0, giftsOlder = 0, olderAdded = 0, giftsOutside = 0;
    bool acquires = false; // something by inheritance or bequest: only then are gifts added
    std::int64_t addback = 0;
    std::array<std::int32_t, kRows> rows{};
};

struct RuleUse {
    const AreaRule* rule;
    Area used; // rounded up to the hundredth: shown ≤ limit exactly when the rule holds
};

struct Worked {
    std::int64_t exemptLimit = 0;                      // 5,000千円 × tax count
    std::int64_t heirsInsurance = 0, heirsRetirement = 0;
    std::array<Area, kGroupCount> chosenArea{};        // over all persons
    std::vector<RuleUse> rules;                        // the rules that apply
    Date withinFrom{}, from{};                         // 3 years back; the period's first day
    std::vector<PersonWorked> persons;
};

// Works out every person; throws AssetsError on the first thing the law or the sheet refuses.
Worked compute(const Estate& e);

// How one amount row of a person was made, one line per part, for 計算過程 and the report.
// Empty when the row is a plain sum with nothing to explain.
std::vector<std::string> explain(const Estate& e, const Worked& w, int person, Row row);

// "使用 189.40㎡ / 限度 200.00㎡"
std::string ruleUseText(const RuleUse& r);

} // namespace kz::assets
