// SPDX-License-Identifier: MIT
#include "core/family/family_steps.h"

#include "core/common/format.h"
#include "core/tax_sheet/steps.h"

namespace kz::family {
namespace {

std::string status(const Person& p)
{
    std::string out;
    if (!p.alive)
        out += "・被相続人より先に死亡";
    if (p.renounced)
        out += "・相続放棄";
    if (p.beforeAdoption)
        out += "・親の養子縁組前に出生";
    return out;
}

void below(const Person& parent, bool children, int depth, std::vector<Member>& out)
{
    for (const Person& c : parent.children) {
        if (!c.sameAs.empty()) {
            out.push_back({c.sameAs, parent.name + "の子（養子欄の本人と同一人）" + status(c), depth});
            continue;
        }
        out.push_back({c.name, parent.name + "の子" + status(c), depth});
        if (children)
            below(c, children, depth + 1, out);
    }
}

std::string childStanding(const Person& c)
{
    if (c.grandchild)
        return "養子（孫養子）";
    if (c.deemedNatural)
        return "養子（実子とみなす）";
    return c.adopted ? "養子" : "子";
}

std::string shares(const std::vector<Heir>& heirs)
{
    std::string out;
    for (const Heir& h : heirs)
        out += (out.empty() ? "" : "、") + h.name + " " + text(h.share);
    return out;
}

} // namespace

std::vector<Member> members(const Family& f)
{
    std::vector<Member> out;
    if (f.spouse)
        out.push_back({f.spouse->name, "配偶者" + status(*f.spouse), 0});
    for (const Person& c : f.children) {
        out.push_back({c.name, childStanding(c) + status(c), 0});
        below(c, true, 1, out);
    }
    for (const Person& a : f.ascendants)
        out.push_back({a.name, (a.degree == 1 ? "父母" : "祖父母") + status(a), 0});
    for (const Person& s : f.siblings) {
        out.push_back({s.name, (s.half ? "半血の兄弟姉妹" : "兄弟姉妹") + status(s), 0});
        below(s, false, 1, out);
    }
    return out;
}

std::string countReason(const Judgement& j)
{
    std::string why;
    for (const Heir& h : j.taxShares)
        if (h.renounced)
            why += (why.empty() ? "放棄した " : "、") + h.name;
    if (!why.empty())
        why += " を含む";
    if (j.adoptees > j.adopteesCounted)
        why += (why.empty() ? "" : "、") + std::string(j.natural ? "実子があるため" : "実子がないため") + "養子 " +
               std::to_string(j.adoptees) + " 人のうち " + std::to_string(j.adopteesCounted) + " 人まで";
    if (j.taxOrder != j.order)
        why += (why.empty() ? "" : "、") + std::string("放棄がなかったものとして") + std::string(orderWord(j.taxOrder));
    return why;
}

kz::Steps familySteps(const Judgement& j, const tax::LawEdition& law)
{
    kz::Steps steps;
    steps.push_back({"相続順位", "民法887条・889条・890条", "", std::string(orderWord(j.order)), ""});
    for (const Heir& h : j.heirs)
        steps.push_back({"法定相続分（" + h.name + "）", article(h, j.order),
                         std::string(relationWord(h.relation)) + (h.surcharge ? "、相続税額の２割加算あり（相続税法18条）" : ""),
                         text(h.share), ""});
    for (const Renouncer& r : j.renounced)
        steps.push_back({"相続の放棄（" + r.name + "）", "民法939条：初めから相続人とならなかったものとみなす",
                         r.surcharge ? "遺贈で取得すれば２割加算あり" : "", "放棄", ""});

    steps.push_back({"法定相続人の数", "相続税法15条2項：相続の放棄がなかったものとし、養子は実子があれば1人、なければ2人まで",
                     countReason(j), std::to_string(j.taxHeirs), "人"});
    steps.push_back({"相続税の総額の計算上の法定相続分", "相続税法16条：法定相続人の数に応じた相続人が法定相続分で取得したものとする",
                     "", shares(j.taxShares), ""});
    steps.push_back({"遺産に係る基礎控除額", tax::manYen(law.basicDeduction) + " + " + tax::manYen(law.basicPerHeir) + " × 法定相続人の数",
                     formatGrouped(law.basicDeduction) + " + " + formatGrouped(law.basicPerHeir) + " × " + std::to_string(j.taxHeirs),
                     formatGrouped(j.basicDeduction), "千円"});
    return steps;
}

bool sheetFollows(const tax::TaxSheet& sheet, const SheetFill& fill)
{
    if (sheet.text(tax::heirCountField()) != std::to_string(fill.heirs))
        return false;
    for (int k = 0; k < 4; ++k) {
        const SheetColumn& c = fill.columns[static_cast<std::size_t>(k)];
        const std::string num = c.share ? std::to_string(c.share->num) : "", den = c.share ? std::to_string(c.share->den) : "";
        if (sheet.text(tax::numeratorField(k)) != num || sheet.text(tax::denominatorField(k)) != den)
            return false;
        if (k > 0 && sheet.surcharged(k + 1) != c.surcharge)
            return false;
    }
    return true;
}

} // namespace kz::family
