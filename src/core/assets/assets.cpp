// SPDX-License-Identifier: MIT
#include "core/assets/assets.h"

#include "core/common/format.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <tuple>

namespace kz::assets {

namespace {

constexpr std::int64_t kSheetMax = std::numeric_limits<std::int32_t>::max();
// The sheet's heir count is a 16-bit field.
constexpr int kMaxTaxHeirs = std::numeric_limits<std::int16_t>::max();

constexpr std::string_view kUseKeys[kUseCount] = {"residence", "business", "company", "rental", "other"};
constexpr std::string_view kUseCaptions[kUseCount] = {"特定居住用", "特定事業用", "特定同族会社事業用", "貸付事業用",
                                                      "その他（非継続）"};
constexpr Group kUseGroup[kUseCount] = {Group::Residence, Group::Business, Group::Business, Group::Rental, Group::Rental};
constexpr std::string_view kGroupKeys[kGroupCount] = {"residence", "business", "rental"};
constexpr std::string_view kRowCaptions[kRows] = {"相続・遺贈で取得した額", "みなし相続財産の額", "非課税財産の額",
                                                  "継承した債務の額", "葬式費用の負担額", "相続前の贈与額"};

using When = AreaRule::When;

// 措法69の4②: without rental land each kind has its own area; with it, the kinds share
// 200 ㎡ after weighing (×66 keeps 200/400 and 200/330 whole).
constexpr AreaRule kTodayRules[] = {
    {"特定居住用等 330㎡", {1, 0, 0}, 1, 33000, When::WithoutRental},
    {"特定事業用等 400㎡", {0, 1, 0}, 1, 40000, When::WithoutRental},
    {"特定事業用等×200/400＋特定居住用等×200/330＋貸付事業用 ≤ 200㎡", {40, 33, 66}, 66, 20000, When::WithRental},
};
// The rule before the 2010 reform: one sum, weighed ×3 to keep 5/3 whole.
constexpr AreaRule k2008Rules[] = {
    {"特定事業用等＋特定居住用×5/3＋その他×2 ≤ 400㎡", {5, 3, 6}, 3, 40000, When::Always},
};

constexpr Date kLongFrom{std::chrono::year(2024), std::chrono::January, std::chrono::day(1)};

// The deaths from 2010-04-01 on no longer take the 'other' (not continued) lots; the 平成20
// edition is the law before that.
constexpr AssetsLaw kLaws[] = {
    {"h20", "平成20年の法令等", 5000, {80, 80, 80, 50, 50}, k2008Rules, {3, 3, std::nullopt, 0}},
    // 相続税法19①（令和5年改正）and its 附則19: gifts from 2024 count up to 7 years back.
    {"r6", "令和6年の法令等", 5000, {80, 80, 80, 50, 0}, kTodayRules, {3, 7, kLongFrom, 1000}},
};

std::string amount(std::int64_t v) { return formatGrouped(static_cast<double>(v)); }

std::string personName(const Estate& e, std::size_t i)
{
    const std::string& n = e.persons[i].name;
    return n.empty() ? std::to_string(i + 1) + "人目" : n;
}

void checkAmount(const Estate& e, std::size_t i, std::int64_t v, std::string_view what)
{
    if (v < 0 || v > kSheetMax)
        throw AssetsError(personName(e, i) + "の" + std::string(what) + " " + amount(v) +
                              "千円はシートの金額（0〜2,147,483,647千円）に入りません",
                          static_cast<int>(i));
}

Area ceilDiv(Area a, Area b) { return (a + b - 1) / b; }

// The heir's part of a tax-free limit: all of it within the limit, else limit × own ÷ all.
std::int64_t exemptPart(std::int64_t own, std::int64_t all, std::int64_t limit)
{
    if (all <= limit)
        return own;
    return limit * own / all;
}

} // namespace

std::string_view useKey(Use u) { return kUseKeys[static_cast<int>(u)]; }
std::string_view useCaption(Use u) { return kUseCaptions[static_cast<int>(u)]; }
std::string_view groupKey(Group g) { return kGroupKeys[static_cast<int>(g)]; }

std::optional<Use> useNamed(std::string_view key)
{
    for (int i = 0; i < kUseCount; ++i)
        if (kUseKeys[i] == key)
            return static_cast<Use>(i);
    return std::nullopt;
}

std::optional<Area> parseArea(std::string_view text)
{
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view frac = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    // Up to 99,999,999.99 ㎡: any real lot, and no product of the rules overflows.
    if (whole.empty() || whole.size() > 8 || frac.size() > 2 || (dot != std::string_view::npos && frac.empty()))
        return std::nullopt;
    Area a = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        a = a * 10 + (c - '0');
    }
    for (std::size_t i = 0; i < 2; ++i) {
        const char c = i < frac.size() ? frac[i] : '0';
        if (c < '0' || c > '9')
            return std::nullopt;
        a = a * 10 + (c - '0');
    }
    return a;
}

std::string areaText(Area a)
{
    const std::string cents = std::to_string(a % 100);
    return std::to_string(a / 100) + "." + (cents.size() < 2 ? "0" : "") + cents;
}

std::optional<std::int64_t> parseAmount(std::string_view text)
{
    std::int64_t v = 0;
    bool digit = false;
    for (const char c : text) {
        if (c == ',')
            continue;
        if (c < '0' || c > '9' || v > kSheetMax * 10)
            return std::nullopt;
        v = v * 10 + (c - '0');
        digit = true;
    }
    if (!digit && !text.empty())
        return std::nullopt;
    return v;
}

std::span<const AssetsLaw> assetsLaws() { return kLaws; }

const AssetsLaw* assetsLaw(std::string_view key)
{
    for (const AssetsLaw& l : kLaws)
        if (l.key == key)
            return &l;
    return nullptr;
}

std::string ruleUseText(const RuleUse& r)
{
    return "使用 " + areaText(r.used) + "㎡ / 限度 " + areaText(r.rule->limit) + "㎡";
}

Worked compute(const Estate& e)
{
    const AssetsLaw& law = *e.law;
    if (!e.death.ok())
        throw AssetsError("相続開始日が日付ではありません");
    if (e.persons.size() > kMaxPersons)
        throw AssetsError("人数はシートの列の5人までです");
    if (e.taxHeirs < 0 || e.taxHeirs > kMaxTaxHeirs)
        throw AssetsError("法定相続人数 " + std::to_string(e.taxHeirs) + "人は0〜32,767人の外です");

    Worked w;
    w.exemptLimit = law.exemptPerHeir * e.taxHeirs;
    w.persons.resize(e.persons.size());
    for (std::size_t i = 0; i < e.persons.size(); ++i) {
        const Person& p = e.persons[i];
        const int at = static_cast<int>(i);
        for (const auto& [v, what] : {std::pair{p.insurance, "生命保険金"}, {p.retirement, "退職手当金"},
                                      {p.property, "その他の財産"}, {p.debts, "債務"}, {p.funeral, "葬式費用"}})
            checkAmount(e, i, v, what);
        for (std::size_t k = 0; k < p.land.size(); ++k) {
            const Lot& lot = p.land[k];
            const std::string where = personName(e, i) + "の宅地" + std::to_string(k + 1);
            checkAmount(e, i, lot.value, "宅地" + std::to_string(k + 1) + "の価額");
            if (law.ratePercent[static_cast<int>(lot.use)] == 0)
                throw AssetsError(where + ": 「" + std::string(useCaption(lot.use)) + "」の宅地は" +
                                      std::string(law.caption) + "の特例にありません",
                                  at);
            if (lot.area < 0 || lot.chosen < 0)
                throw AssetsError(where + ": 面積が負です", at);
            if (lot.chosen > lot.area)
                throw AssetsError(where + ": 特例の面積 " + areaText(lot.chosen) + "㎡が宅地の面積 " +
                                      areaText(lot.area) + "㎡を超えています",
                                  at);
            w.chosenArea[static_cast<int>(kUseGroup[static_cast<int>(lot.use)])] += lot.chosen;
        }
        for (std::size_t k = 0; k < p.gifts.size(); ++k) {
            const Gift& g = p.gifts[k];
            if (!g.date.ok())
                throw AssetsError(personName(e, i) + "の贈与" + std::to_string(k + 1) + "の日付が日付ではありません", at);
            // A gift on the day of death is still before the death's end and lies within the
            // period (相続税法19: 相続の開始前…以内, counted back from that day); a later one cannot be.
            if (g.date > e.death)
                throw AssetsError(personName(e, i) + "の贈与" + std::to_string(k + 1) + "（" + isoText(g.date) +
                                      "）は相続開始日 " + isoText(e.death) + " より後です",
                                  at);
            checkAmount(e, i, g.amount, "贈与" + std::to_string(k + 1));
        }
    }

    // The area rules on the ㎡ chosen over the whole estate.
    const bool rental = w.chosenArea[static_cast<int>(Group::Rental)] > 0;
    for (const AreaRule& rule : law.areaRules) {
        if ((rule.when == When::WithRental && !rental) || (rule.when == When::WithoutRental && rental))
            continue;
        Area sum = 0;
        for (int g = 0; g < kGroupCount; ++g)
            sum += rule.weight[static_cast<std::size_t>(g)] * w.chosenArea[static_cast<std::size_t>(g)];
        const RuleUse use{&rule, ceilDiv(sum, rule.divisor)};
        if (sum > rule.limit * rule.divisor)
            throw AssetsError("小規模宅地等の限度面積を超えています（" + std::string(law.caption) + " " +
                              std::string(rule.caption) + "）: " + ruleUseText(use));
        w.rules.push_back(use);
    }

    // Gifts: the 3 years back, and the longer period where the edition has one.
    const GiftPeriod& period = law.gifts;
    w.withinFrom = yearsBefore(e.death, period.years);
    Date longStart = yearsBefore(e.death, period.longYears);
    if (period.longFrom && longStart < *period.longFrom)
        longStart = *period.longFrom;
    w.from = std::min(w.withinFrom, longStart);

    for (const Person& p : e.persons)
        if (p.heir) {
            w.heirsInsurance += p.insurance;
            w.heirsRetirement += p.retirement;
        }

    for (std::size_t i = 0; i < e.persons.size(); ++i) {
        const Person& p = e.persons[i];
        PersonWorked& pw = w.persons[i];
        if (p.heir) {
            pw.insuranceExempt = exemptPart(p.insurance, w.heirsInsurance, w.exemptLimit);
            pw.retirementExempt = exemptPart(p.retirement, w.heirsRetirement, w.exemptLimit);
        }
        for (const Lot& lot : p.land) {
            LotWorked lw;
            lw.ratePercent = law.ratePercent[static_cast<int>(lot.use)];
            // The rules held, so chosen ≤ 730 ㎡: value × chosen × rate stays far inside 64 bits.
            if (lot.chosen > 0)
                lw.reduction = lot.value * lot.chosen * lw.ratePercent / (lot.area * 100);
            pw.landValue += lot.value;
            pw.landReduction += lw.reduction;
            pw.lots.push_back(lw);
        }
        for (const Gift& g : p.gifts) {
            if (g.date >= w.withinFrom)
                pw.giftsWithin += g.amount;
            else if (g.date >= w.from)
                pw.giftsOlder += g.amount;
            else
                pw.giftsOutside += g.amount;
        }
        pw.olderAdded = std::max<std::int64_t>(0, pw.giftsOlder - period.olderDeduction);
        // 相続税法19①: only who acquires something by inheritance or bequest (insurance is a
        // deemed bequest) has the gifts added; the others bore gift tax alone.
        pw.acquires = p.property > 0 || pw.landValue > 0 || p.insurance > 0 || p.retirement > 0;
        pw.addback = pw.acquires ? pw.giftsWithin + pw.olderAdded : 0;

        const std::int64_t rows[kRows] = {p.property + pw.landValue - pw.landReduction,
                                          p.insurance + p.retirement,
                                          pw.insuranceExempt + pw.retirementExempt,
                                          p.debts,
                                          p.funeral,
                                          pw.addback};
        for (int r = 0; r < kRows; ++r) {
            checkAmount(e, i, rows[r], "「" + std::string(kRowCaptions[r]) + "」");
            pw.rows[static_cast<std::size_t>(r)] = static_cast<std::int32_t>(rows[r]);
        }
    }
    return w;
}

std::vector<std::string> explain(const Estate& e, const Worked& w, int person, Row row)
{
    const Person& p = e.persons[static_cast<std::size_t>(person)];
    const PersonWorked& pw = w.persons[static_cast<std::size_t>(person)];
    std::vector<std::string> lines;
    switch (row) {
    case Acquired:
        for (std::size_t k = 0; k < p.land.size(); ++k) {
            const Lot& lot = p.land[k];
            std::string line = "宅地" + std::to_string(k + 1) + "（" + std::string(useCaption(lot.use)) + "）" +
                               amount(lot.value) + "千円";
            if (lot.chosen > 0)
                line += "; 減額 " + amount(lot.value) + " × " + areaText(lot.chosen) + "㎡ ÷ " + areaText(lot.area) +
                        "㎡ × " + std::to_string(pw.lots[k].ratePercent) + "% = " + amount(pw.lots[k].reduction) + "千円";
            lines.push_back(std::move(line));
        }
        if (!p.land.empty())
            lines.push_back("その他の財産 " + amount(p.property) + " ＋ 宅地 " + amount(pw.landValue) + " − 減額 " +
                            amount(pw.landReduction) + " = " + amount(pw.rows[Acquired]) + "千円");
        break;
    case Deemed:
        if (p.insurance > 0 && p.retirement > 0)
            lines.push_back("生命保険金 " + amount(p.insurance) + " ＋ 退職手当金 " + amount(p.retirement) + " = " +
                            amount(pw.rows[Deemed]) + "千円");
        break;
    case Exempt:
        for (const auto& [own, all, part, kind] :
             {std::tuple{p.insurance, w.heirsInsurance, pw.insuranceExempt, "生命保険金"},
              std::tuple{p.retirement, w.heirsRetirement, pw.retirementExempt, "退職手当金"}}) {
            if (own == 0)
                continue;
            if (!p.heir) {
                lines.push_back(std::string(kind) + ": 相続人でないため非課税はありません");
                continue;
            }
            std::string line = std::string(kind) + "の非課税限度額 " + amount(e.law->exemptPerHeir) + "千円 × " +
                               std::to_string(e.taxHeirs) + "人 = " + amount(w.exemptLimit) + "千円; ";
            if (all <= w.exemptLimit)
                line += "相続人の受取計 " + amount(all) + "千円が限度以内: " + amount(part) + "千円";
            else
                line += amount(own) + " × " + amount(w.exemptLimit) + " ÷ " + amount(all) + " = " + amount(part) + "千円";
            lines.push_back(std::move(line));
        }
        break;
    case Addback: {
        if (p.gifts.empty())
            break;
        if (!pw.acquires) {
            lines.push_back("相続・遺贈で財産を取得しないため、贈与は加算しません");
            break;
        }
        const int years = e.law->gifts.years;
        lines.push_back("相続開始前" + std::to_string(years) + "年以内（" + isoText(w.withinFrom) + "以後）の贈与 " +
                        amount(pw.giftsWithin) + "千円");
        if (w.from < w.withinFrom)
            lines.push_back(std::to_string(years) + "年より前（" + isoText(w.from) + "以後）の贈与 " +
                            amount(pw.giftsOlder) + " − " + amount(e.law->gifts.olderDeduction) + " = " +
                            amount(pw.olderAdded) + "千円" + (pw.giftsOlder < e.law->gifts.olderDeduction ? "（0未満は0）" : ""));
        if (pw.giftsOutside > 0)
            lines.push_back("加算期間より前の贈与 " + amount(pw.giftsOutside) + "千円は加算しません");
        lines.push_back("加算額 " + amount(pw.addback) + "千円");
        break;
    }
    case Debts:
    case Funeral:
        break;
    }
    return lines;
}

} // namespace kz::assets
