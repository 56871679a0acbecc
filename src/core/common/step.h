// SPDX-License-Identifier: MIT
#pragma once
// One step of a calculation as it is explained to a client: what it is, the rule in words,
// the same rule with the figures, and the figure the window shows. No Qt; texts are UTF-8.
#include <string>
#include <vector>

namespace kz {

struct Step {
    std::string caption; // as the window names the figure: "③　遺産　基礎控除額"
    std::string words;   // "3,000万円 + 600万円 × 法定相続人数"
    std::string numbers; // "30,000 + 6,000 × 3"
    std::string result;  // exactly the shown text: "48,000"
    std::string unit;    // "千円", "円", "倍" or empty
};

using Steps = std::vector<Step>;

} // namespace kz
