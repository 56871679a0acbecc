// SPDX-License-Identifier: MIT
// The six amounts from the assets against published examples and figures worked by hand:
// the tax-free parts (相続税法12①五・六), the area rules and reductions (措法69の4) of both
// editions, the gifts added back (相続税法19) across its schedule, and the refusals.
#include "core/assets/assets.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

using namespace kz::assets;

Date day(const char* iso) { return *parseDate(iso); }
Area area(const char* text) { return *parseArea(text); }

Person person(const char* name, bool heir, std::int64_t insurance = 0, std::int64_t retirement = 0)
{
    Person p;
    p.name = name;
    p.heir = heir;
    p.insurance = insurance;
    p.retirement = retirement;
    return p;
}

struct Taker {
    bool heir;
    std::int64_t insurance, retirement;
    std::int64_t insuranceExempt, retirementExempt; // expected
};

struct ExemptRow {
    const char* name;
    int taxHeirs;
    std::vector<Taker> takers;
};

// 5,000千円 × heirs; over the limit each heir takes limit × own ÷ heirs' total, rounded down.
const ExemptRow kExemptRows[] = {
    {"published insurance: 30,000 / 10,000 / 10,000, 3 heirs", 3, {{true, 30000, 0, 9000, 0}, {true, 10000, 0, 3000, 0}, {true, 10000, 0, 3000, 0}}},
    {"published retirement: 15,000 / 5,000, 2 heirs", 2, {{true, 0, 15000, 0, 7500}, {true, 0, 5000, 0, 2500}}},
    {"within the limit: all of it; a legatee's neither counts nor gets any", 3, {{true, 8000, 0, 8000, 0}, {true, 4000, 0, 4000, 0}, {false, 10000, 0, 0, 0}}},
    {"rounded down: 5,000 × 3,000 ÷ 7,000 = 2,142.8", 1, {{true, 3000, 4000, 2142, 4000}, {true, 4000, 1000, 2857, 1000}}},
    {"on the limit, and one over it: the whole limit", 2, {{true, 10000, 10001, 10000, 10000}}},
    {"a renouncer (not an heir) counts in the tax count but takes nothing", 3, {{false, 20000, 0, 0, 0}, {true, 20000, 0, 15000, 0}}},
};

TEST(Assets, TaxFreeParts)
{
    for (const ExemptRow& r : kExemptRows) {
        Estate e;
        e.death = day("2025-01-10");
        e.taxHeirs = r.taxHeirs;
        for (const Taker& t : r.takers)
            e.persons.push_back(person("", t.heir, t.insurance, t.retirement));
        const Worked w = compute(e);
        for (std::size_t i = 0; i < r.takers.size(); ++i) {
            EXPECT_EQ(w.persons[i].insuranceExempt, r.takers[i].insuranceExempt) << r.name << " #" << i;
            EXPECT_EQ(w.persons[i].retirementExempt, r.takers[i].retirementExempt) << r.name << " #" << i;
            EXPECT_EQ(w.persons[i].rows[Exempt], r.takers[i].insuranceExempt + r.takers[i].retirementExempt) << r.name;
        }
    }
}

struct LotRow {
    Use use;
    const char* area;
    std::int64_t value;
    const char* chosen;
    std::int64_t reduction; // expected
};

struct LandRow {
    const char* name;
    const char* law;
    std::vector<LotRow> lots;
    const char* refusal; // nullptr: accepted
    const char* used;    // the first rule's use, as the window shows it
};

using U = Use;
const LandRow kLandRows[] = {
    // NTA 資産課税課情報 第18号 (2010), example 1: 居住 100 + 事業 100, then rental.
    {"NTA ex.1, old rule: 66.66 of rental", "h20",
     {{U::Residence, "100", 30000, "100", 24000}, {U::Business, "100", 20000, "100", 16000}, {U::Rental, "100", 10000, "66.66", 3333}},
     nullptr, "使用 399.99㎡ / 限度 400.00㎡"},
    {"old rule just over: 66.67", "h20",
     {{U::Residence, "100", 30000, "100", 0}, {U::Business, "100", 20000, "100", 0}, {U::Rental, "100", 10000, "66.67", 0}},
     "小規模宅地等の限度面積を超えています（平成20年の法令等 特定事業用等＋特定居住用×5/3＋その他×2 ≤ 400㎡）: 使用 400.01㎡ / 限度 400.00㎡", nullptr},
    {"NTA ex.1, today: 89.39 of rental", "r6",
     {{U::Residence, "100", 30000, "100", 24000}, {U::Company, "100", 20000, "100", 16000}, {U::Rental, "100", 10000, "89.39", 4469}},
     nullptr, "使用 200.00㎡ / 限度 200.00㎡"},
    {"today just over: 89.40", "r6",
     {{U::Residence, "100", 30000, "100", 0}, {U::Business, "100", 20000, "100", 0}, {U::Rental, "100", 10000, "89.40", 0}},
     "小規模宅地等の限度面積を超えています（令和6年の法令等 特定事業用等×200/400＋特定居住用等×200/330＋貸付事業用 ≤ 200㎡）: 使用 200.01㎡ / 限度 200.00㎡", nullptr},
    // Example 3 as read here: 事業 100 leaves 150 of rental under either rule.
    {"NTA ex.3, old rule: 150", "h20", {{U::Business, "100", 40000, "100", 32000}, {U::Rental, "300", 30000, "150", 7500}}, nullptr, "使用 400.00㎡ / 限度 400.00㎡"},
    {"NTA ex.3, today: 150", "r6", {{U::Business, "100", 40000, "100", 32000}, {U::Rental, "300", 30000, "150", 7500}}, nullptr, "使用 200.00㎡ / 限度 200.00㎡"},
    {"today, without rental: 330 + 400 together", "r6", {{U::Residence, "330", 66000, "330", 52800}, {U::Business, "500", 50000, "400", 32000}}, nullptr, "使用 330.00㎡ / 限度 330.00㎡"},
    {"today, residence just over 330", "r6", {{U::Residence, "400", 66000, "330.01", 0}},
     "小規模宅地等の限度面積を超えています（令和6年の法令等 特定居住用等 330㎡）: 使用 330.01㎡ / 限度 330.00㎡", nullptr},
    {"old rule: residence 240 alone", "h20", {{U::Residence, "300", 30000, "240", 19200}}, nullptr, "使用 400.00㎡ / 限度 400.00㎡"},
    {"old rule: residence just over 240", "h20", {{U::Residence, "300", 30000, "240.01", 0}},
     "小規模宅地等の限度面積を超えています（平成20年の法令等 特定事業用等＋特定居住用×5/3＋その他×2 ≤ 400㎡）: 使用 400.02㎡ / 限度 400.00㎡", nullptr},
    {"old rule: land not kept in use, 50 % on 200", "h20", {{U::Other, "250", 25000, "200", 10000}}, nullptr, "使用 400.00㎡ / 限度 400.00㎡"},
    {"today has no such land", "r6", {{U::Other, "250", 25000, "200", 0}},
     "1人目の宅地1: 「その他（非継続）」の宅地は令和6年の法令等の特例にありません", nullptr},
    {"chosen above the lot", "r6", {{U::Residence, "100", 25000, "100.01", 0}},
     "1人目の宅地1: 特例の面積 100.01㎡が宅地の面積 100.00㎡を超えています", nullptr},
    {"reduction rounded down: 10,001 × 1/3 × 80 %", "r6", {{U::Residence, "3", 10001, "1", 2666}}, nullptr, "使用 1.00㎡ / 限度 330.00㎡"},
    {"no ㎡ chosen: no reduction", "h20", {{U::Rental, "120", 10000, "0", 0}}, nullptr, "使用 0.00㎡ / 限度 400.00㎡"},
};

TEST(Assets, SmallLots)
{
    for (const LandRow& r : kLandRows) {
        Estate e;
        e.law = assetsLaw(r.law);
        e.death = day("2009-06-01");
        Person p;
        std::int64_t value = 0, reduction = 0;
        for (const LotRow& l : r.lots) {
            p.land.push_back({l.use, area(l.area), l.value, area(l.chosen)});
            value += l.value;
            reduction += l.reduction;
        }
        e.persons.push_back(p);
        if (r.refusal) {
            try {
                compute(e);
                ADD_FAILURE() << r.name << ": accepted";
            } catch (const AssetsError& err) {
                EXPECT_STREQ(err.what(), r.refusal) << r.name;
            }
            continue;
        }
        const Worked w = compute(e);
        for (std::size_t k = 0; k < r.lots.size(); ++k)
            EXPECT_EQ(w.persons[0].lots[k].reduction, r.lots[k].reduction) << r.name << " lot " << k;
        EXPECT_EQ(w.persons[0].rows[Acquired], value - reduction) << r.name;
        EXPECT_EQ(ruleUseText(w.rules.front()), r.used) << r.name;
    }
}

struct GiftRow {
    const char* name;
    const char* law;
    const char* death;
    std::vector<std::pair<const char*, std::int64_t>> gifts;
    std::int64_t within, older, addback; // expected
};

const GiftRow kGiftRows[] = {
    {"平成20: 3 years, the boundary day in", "h20", "2028-06-21", {{"2025-06-21", 300}, {"2025-06-20", 400}, {"2028-06-21", 50}}, 350, 0, 350},
    {"today, death 2026-12-31: still 3 years", "r6", "2026-12-31", {{"2023-12-31", 500}, {"2023-12-30", 700}}, 500, 0, 500},
    {"death 2027-01-01: no part beyond 3 years yet", "r6", "2027-01-01", {{"2024-01-01", 500}, {"2023-12-31", 700}}, 500, 0, 500},
    {"death 2030-12-31: from 2024-01-01, older part less 1,000", "r6", "2030-12-31",
     {{"2024-01-01", 1500}, {"2027-12-30", 800}, {"2027-12-31", 300}, {"2023-12-31", 900}}, 300, 2300, 1600},
    {"death 2031-01-01: 7 years; older part under 1,000 adds nothing", "r6", "2031-01-01",
     {{"2024-01-01", 600}, {"2027-12-31", 300}, {"2028-01-01", 200}, {"2023-12-31", 5000}}, 200, 900, 200},
    {"death 2035-06-21: the 7- and 3-year boundary days", "r6", "2035-06-21",
     {{"2028-06-21", 2000}, {"2028-06-20", 5000}, {"2032-06-20", 1000}, {"2032-06-21", 400}}, 400, 3000, 2400},
    // 質疑応答（令和5年度税制改正関係）問1-1 and 問1-2: the published sums added back.
    {"Q&A 1-1: 2,000 beyond 3 years → 1,000", "r6", "2031-03-01", {{"2025-04-01", 2000}}, 0, 2000, 1000},
    {"Q&A 1-2: 4,000 beyond 3 years and 2,000 within → 5,000", "r6", "2031-03-01",
     {{"2024-05-01", 2000}, {"2026-05-01", 2000}, {"2029-05-01", 2000}}, 2000, 4000, 5000},
    // A death on 29 February: the day 3 years back is 28 February (civil_date.h).
    {"29 Feb, today's law in transition", "r6", "2028-02-29", {{"2025-02-28", 100}, {"2025-02-27", 2000}}, 100, 2000, 1100},
    {"29 Feb, 平成20", "h20", "2028-02-29", {{"2025-02-28", 100}, {"2025-02-27", 2000}}, 100, 0, 100},
};

TEST(Assets, GiftsAddedBack)
{
    for (const GiftRow& r : kGiftRows) {
        Estate e;
        e.law = assetsLaw(r.law);
        e.death = day(r.death);
        Person p = person("子", true);
        p.property = 1;
        for (const auto& [date, amount] : r.gifts)
            p.gifts.push_back({day(date), amount});
        e.persons.push_back(p);
        const Worked w = compute(e);
        EXPECT_EQ(w.persons[0].giftsWithin, r.within) << r.name;
        EXPECT_EQ(w.persons[0].giftsOlder, r.older) << r.name;
        EXPECT_EQ(w.persons[0].rows[Addback], r.addback) << r.name;
        // Who acquires nothing by inheritance or bequest has no gifts added (相続税法19①).
        e.persons[0].property = 0;
        EXPECT_EQ(compute(e).persons[0].rows[Addback], 0) << r.name;
    }
}

TEST(Assets, Refusals)
{
    using Change = std::function<void(Estate&)>;
    const std::pair<Change, const char*> rows[] = {
        {[](Estate& e) { e.persons[0].gifts.push_back({day("2028-06-22"), 100}); },
         "妻の贈与1（2028-06-22）は相続開始日 2028-06-21 より後です"},
        {[](Estate& e) { e.persons[0].gifts.push_back({Date{}, 100}); }, "妻の贈与1の日付が日付ではありません"},
        {[](Estate& e) { e.death = Date{}; }, "相続開始日が日付ではありません"},
        {[](Estate& e) {
             e.persons[0].property = 2147483647;
             e.persons[0].land.push_back({Use::Residence, 100, 1, 0});
         },
         "妻の「相続・遺贈で取得した額」 2,147,483,648千円はシートの金額（0〜2,147,483,647千円）に入りません"},
        {[](Estate& e) { e.persons[0].debts = -1; }, "妻の債務 -1千円はシートの金額（0〜2,147,483,647千円）に入りません"},
        {[](Estate& e) { e.persons.resize(6); }, "人数はシートの列の5人までです"},
    };
    for (const auto& [change, message] : rows) {
        Estate e;
        e.law = assetsLaw("r6");
        e.death = day("2028-06-21");
        e.persons.push_back(person("妻", true, 1));
        change(e);
        try {
            compute(e);
            ADD_FAILURE() << message << ": accepted";
        } catch (const AssetsError& err) {
            EXPECT_STREQ(err.what(), message);
        }
    }
    EXPECT_EQ(parseDate("2027-02-29"), std::nullopt);
    EXPECT_EQ(parseArea("66.666"), std::nullopt);
    EXPECT_EQ(parseDate("2028-2-29"), day("2028-02-29"));
}

// Random estates: a tax-free part never exceeds the limit nor what its heir received, and
// takes the whole limit (less a 千円 of rounding per heir) when the heirs received more.
TEST(Assets, RandomEstatesKeepTheLimits)
{
    std::mt19937 rng(20261208);
    auto upTo = [&](int n) { return static_cast<std::int64_t>(std::uniform_int_distribution<int>(0, n)(rng)); };
    int computed = 0;
    for (int round = 0; round < 3000; ++round) {
        Estate e;
        e.law = &assetsLaws()[static_cast<std::size_t>(upTo(1))];
        e.death = day("2029-03-31");
        e.taxHeirs = static_cast<int>(upTo(5));
        e.persons.resize(static_cast<std::size_t>(1 + upTo(4)));
        for (Person& p : e.persons) {
            p.heir = upTo(3) > 0;
            p.insurance = upTo(40000);
            p.retirement = upTo(3) == 0 ? upTo(40000) : 0;
            for (std::int64_t k = upTo(2); k > 0; --k) {
                const Area a = 1 + upTo(30000);
                p.land.push_back({static_cast<Use>(upTo(3)), a, upTo(100000), std::min(a, upTo(6000))});
            }
        }
        Worked w;
        try {
            w = compute(e);
        } catch (const AssetsError&) {
            continue; // over an area rule
        }
        ++computed;
        for (const auto& [total, part] : {std::pair{w.heirsInsurance, &PersonWorked::insuranceExempt},
                                          std::pair{w.heirsRetirement, &PersonWorked::retirementExempt}}) {
            std::int64_t sum = 0, heirs = 0;
            for (std::size_t i = 0; i < e.persons.size(); ++i) {
                const std::int64_t own = part == &PersonWorked::insuranceExempt ? e.persons[i].insurance : e.persons[i].retirement;
                ASSERT_LE(w.persons[i].*part, own);
                sum += w.persons[i].*part;
                heirs += e.persons[i].heir;
            }
            ASSERT_LE(sum, w.exemptLimit);
            ASSERT_GE(sum, std::min(total, w.exemptLimit) - heirs);
        }
        for (std::size_t i = 0; i < e.persons.size(); ++i)
            for (std::size_t k = 0; k < e.persons[i].land.size(); ++k)
                ASSERT_LE(w.persons[i].lots[k].reduction, e.persons[i].land[k].value);
    }
    EXPECT_GT(computed, 1000);
}

} // namespace
