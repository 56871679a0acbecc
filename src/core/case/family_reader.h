// SPDX-License-Identifier: MIT
#pragma once
// A case's "family" object read into the family model, refusing the whole case at the first
// key that is not one: {"law", "spouse", "children", "ascendants", "siblings"}, each person
// {"name", "alive", "renounced", "adopted", "deemed_natural", "grandchild", "before_adoption",
// "half", "degree", "children"} or, below the decedent's children, {"same_as", "before_adoption"}.
// No Qt here.
#include "core/case/reader.h"
#include "core/family/family.h"

#include <string>
#include <string_view>

namespace kz::cases {

// The family follows the stated law unless it names another, as the sheet does.
family::Family readFamily(const Reader& read, const json::Value& v);

// The family as an indented object of the case file, after its key; `indent` is its own
// line's indentation.
void appendFamily(std::string& out, const family::Family& f, const std::string& indent);

} // namespace kz::cases
