// SPDX-License-Identifier: MIT
#include "core/assets/entries.h"

#include "core/common/format.h"

#include <algorithm>

namespace kz::assets {

namespace {

constexpr std::string_view kKindCaptions[kKindCount] = {
    "生命保険金", "退職手当金", "その他の財産", "債務", "葬式費用",
    "宅地（特定居住用）", "宅地（特定事業用）", "宅地（特定同族会社事業用）", "宅地（貸付事業用）", "宅地（その他・非継続）",
    "贈与",
};
constexpr std::array<std::string_view, kMaxPersons> kColumns = {"配偶者", "相続人 2", "相続人 3", "相続人 4", "受遺者"};

Use useOf(Kind k) { return static_cast<Use>(static_cast<int>(k) - static_cast<int>(Kind::LandResidence)); }
Kind kindOf(Use u) { return static_cast<Kind>(static_cast<int>(Kind::LandResidence) + static_cast<int>(u)); }

[[noreturn]] void refuse(std::size_t line, const ItemTexts& item, std::string_view what, const std::string& text)
{
    throw AssetsError(std::to_string(line + 1) + "行目（" + std::string(kindCaption(item.kind)) + "）: " +
                          std::string(what) + "「" + text + "」が読めません",
                      item.person);
}

std::string plain(std::int64_t v) { return std::to_string(v); }

} // namespace

std::string_view kindCaption(Kind k) { return kKindCaptions[static_cast<int>(k)]; }

EstateTexts freshTexts()
{
    EstateTexts t;
    for (std::size_t i = 0; i < kMaxPersons; ++i)
        t.persons[i] = {std::string(kColumns[i]), i + 1 < kMaxPersons};
    return t;
}

Estate readEstate(const EstateTexts& t, const AssetsLaw& law)
{
    Estate e;
    e.law = &law;
    if (t.death.empty())
        throw AssetsError("相続開始日を入力してください（例 2028-06-21）");
    const std::optional<Date> death = parseDate(t.death);
    if (!death)
        throw AssetsError("相続開始日「" + t.death + "」は日付ではありません（例 2028-06-21）");
    e.death = *death;
    const std::optional<std::int64_t> heirs = parseAmount(t.taxHeirs);
    if (!heirs || *heirs > 32767)
        throw AssetsError("法定相続人数「" + t.taxHeirs + "」が読めません");
    e.taxHeirs = static_cast<int>(*heirs);
    e.persons.resize(kMaxPersons);
    for (std::size_t i = 0; i < kMaxPersons; ++i) {
        e.persons[i].name = t.persons[i].name;
        e.persons[i].heir = t.persons[i].heir;
    }
    for (std::size_t line = 0; line < t.items.size(); ++line) {
        const ItemTexts& item = t.items[line];
        Person& p = e.persons.at(static_cast<std::size_t>(item.person));
        const std::optional<std::int64_t> amount = parseAmount(item.amount);
        if (!amount)
            refuse(line, item, "金額", item.amount);
        // Sums stay far inside 64 bits: every amount is below 10 × the sheet's largest.
        switch (item.kind) {
        case Kind::Insurance: p.insurance += *amount; break;
        case Kind::Retirement: p.retirement += *amount; break;
        case Kind::Property: p.property += *amount; break;
        case Kind::Debts: p.debts += *amount; break;
        case Kind::Funeral: p.funeral += *amount; break;
        case Kind::Gift: {
            const std::optional<Date> date = parseDate(item.date);
            if (!date)
                refuse(line, item, "贈与の日付", item.date);
            p.gifts.push_back({*date, *amount});
            break;
        }
        default: {
            const std::optional<Area> area = parseArea(item.area);
            if (!area)
                refuse(line, item, "面積", item.area);
            const std::optional<Area> chosen = item.chosen.empty() ? area : parseArea(item.chosen);
            if (!chosen)
                refuse(line, item, "特例の面積", item.chosen);
            p.land.push_back({useOf(item.kind), *area, *amount, *chosen});
        }
        }
    }
    return e;
}

EstateTexts textsOf(const Estate& e)
{
    EstateTexts t = freshTexts();
    t.death = isoText(e.death);
    t.taxHeirs = std::to_string(e.taxHeirs);
    for (std::size_t i = 0; i < e.persons.size() && i < kMaxPersons; ++i) {
        const Person& p = e.persons[i];
        const int at = static_cast<int>(i);
        t.persons[i] = {p.name, p.heir};
        for (const auto& [v, kind] : {std::pair{p.insurance, Kind::Insurance}, {p.retirement, Kind::Retirement},
                                      {p.property, Kind::Property}, {p.debts, Kind::Debts}, {p.funeral, Kind::Funeral}})
            if (v != 0)
                t.items.push_back({at, kind, plain(v), {}, {}, {}});
        for (const Lot& l : p.land)
            t.items.push_back({at, kindOf(l.use), plain(l.value), areaText(l.area), areaText(l.chosen), {}});
        for (const Gift& g : p.gifts)
            t.items.push_back({at, Kind::Gift, plain(g.amount), {}, {}, isoText(g.date)});
    }
    return t;
}

bool hasItems(const EstateTexts& t, int person)
{
    return std::any_of(t.items.begin(), t.items.end(), [&](const ItemTexts& i) { return i.person == person; });
}

} // namespace kz::assets
