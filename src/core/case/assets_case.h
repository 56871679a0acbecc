// SPDX-License-Identifier: MIT
#pragma once
// The client's assets as a case holds them: {"law", "death", "tax_heirs", "persons": […]},
// amounts in 千円, dates ISO, areas with at most two decimals. The batch answers them with
// the six amounts per person; a case file keeps them beside its sheet. No Qt here.
#include "core/assets/assets.h"
#include "core/case/reader.h"

#include <string>

namespace kz::cases {

// Refuses (CaseError) whatever is not one: a key unknown, a type wrong, a date no date.
assets::Estate readAssets(const Reader& r, const json::Document& doc, const json::Value& v);
// The same object on one line, as readAssets reads it back.
void appendAssets(std::string& out, const assets::Estate& e);
// The batch's answer after "assets": {"law", "exempt_limit", "persons", "land_total_area"}.
void appendAssetsAnswer(std::string& out, const assets::Estate& e, const assets::Worked& w);

} // namespace kz::cases
