// SPDX-License-Identifier: MIT
#pragma once
// The family and its judgement as the 計算過程 and the report state them: who is who, each
// heir's share with the articles it follows, the renouncers, the count for the tax and why,
// the shares of the total tax and the basic deduction. No Qt here; texts are UTF-8.
#include "core/common/step.h"
#include "core/family/family.h"
#include "core/family/sheet_fill.h"

#include <string>
#include <vector>

namespace kz::family {

// One line of the family: "長男" / "子（被相続人より先に死亡）", indented by its generation.
struct Member {
    std::string name;
    std::string standing;
    int depth = 0;
};
std::vector<Member> members(const Family& f);

// Why the count for the tax is what it is: "放棄した 長男 を含む、実子があるため養子 2 人のうち 1 人まで".
std::string countReason(const Judgement& j);

kz::Steps familySteps(const Judgement& j, const tax::LawEdition& law);

// Whether the sheet still holds what the family filled in (count, shares, marks); a sheet
// changed by hand since says so beside the family's steps.
bool sheetFollows(const tax::TaxSheet& sheet, const SheetFill& fill);

} // namespace kz::family
