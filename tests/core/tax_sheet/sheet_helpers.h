// SPDX-License-Identifier: MIT
#pragma once
// Drives a TaxSheet the way a user does: amounts are typed into a field and committed
// by leaving it; the other fields are typed directly.
#include "core/tax_sheet/sheet.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace kz::tax {
inline void PrintTo(const Field& f, std::ostream* os) { *os << fieldName(f); }
inline void PrintTo(const Label& l, std::ostream* os) { *os << labelName(l); }
} // namespace kz::tax

namespace kz::tax::drive {

struct Inputs {
    std::array<std::array<std::int32_t, kAmountRows>, kPersons> amounts{};
    std::string heirs = "0";
    std::array<std::string, 5> num{}, den{};
    std::array<std::string, 3> years{"0", "0", "0"}; // heirs 2, 3, 4
};

inline void type(TaxSheet& s, Field f, const std::string& text)
{
    s.gotFocus(f);
    s.setText(f, text);
    s.lostFocus(f);
}

inline void load(TaxSheet& s, const Inputs& in)
{
    for (int p = 1; p <= kPersons; ++p)
        for (int i = 0; i < kAmountRows; ++i)
            type(s, amountField(p, i), std::to_string(in.amounts[p - 1][i]));
    s.setText(heirCountField(), in.heirs);
    for (int k = 0; k < 5; ++k) {
        s.setText(numeratorField(k), in.num[k]);
        s.setText(denominatorField(k), in.den[k]);
    }
    for (int p = 2; p <= 4; ++p)
        s.setText(yearsField(p), in.years[p - 2]);
    s.shokika();
}

inline Label label(const std::string& name)
{
    for (int slot = 0; slot < kLabelCount; ++slot)
        if (labelName(labelAtSlot(slot)) == name)
            return labelAtSlot(slot);
    ADD_FAILURE() << "no label " << name;
    return {};
}

using Texts = std::vector<std::pair<std::string, std::string>>;

inline void expectLabels(const TaxSheet& s, const Texts& want)
{
    for (const auto& [name, text] : want)
        EXPECT_EQ(s.labelText(label(name)), text) << name;
}

inline std::vector<std::string> labelTexts(const TaxSheet& s)
{
    std::vector<std::string> out;
    for (int slot = 0; slot < kLabelCount; ++slot)
        out.push_back(s.labelText(labelAtSlot(slot)));
    return out;
}

// The worked example: spouse, heirs 2 and 3 with assets, heir 4 with none, a legatee;
// four statutory heirs, shares 1/2 and 1/6, heir 3 five years short of 20.
inline Inputs workedExample()
{
    Inputs in;
    in.amounts[0] = {250000, 20000, 5000, 8000, 2000, 0};
    in.amounts[1] = {80000, 0, 0, 0, 0, 5000};
    in.amounts[2] = {40000, 15000, 5000, 0, 0, 0};
    in.amounts[4] = {30000, 0, 0, 0, 0, 0};
    in.heirs = "4";
    in.num = {"1", "1", "1", "1", ""};
    in.den = {"2", "6", "6", "6", ""};
    in.years = {"0", "5", "0"};
    return in;
}

inline const Texts kWorkedExampleLabels{
    {"LNum1(0)", "255,000"}, {"LNum1(1)", "165,000"}, {"LNum1(2)", "49,000"}, {"LNum1(3)", "0.61"}, {"LNum1(4)", "47,275"}, {"LNum1(5)", "8,525"},
    {"LNum2(0)", "85,000"}, {"LNum2(1)", "55,000"}, {"LNum2(2)", "9,500"}, {"LNum2(3)", "0.2"}, {"LNum2(4)", "15,500"}, {"LNum2(5)", "15,500"},
    {"LNum3(0)", "50,000"}, {"LNum3(1)", "55,000"}, {"LNum3(2)", "9,500"}, {"LNum3(3)", "0.12"}, {"LNum3(4)", "9,300"}, {"LNum3(5)", "9,000"},
    {"LNum4(0)", "0"}, {"LNum4(1)", "55,000"}, {"LNum4(2)", "9,500"}, {"LNum4(3)", "0"}, {"LNum4(4)", "0"}, {"LNum4(5)", "0"},
    {"LNum5(0)", "30,000"}, {"LNum5(1)", "0"}, {"LNum5(2)", "0"}, {"LNum5(3)", "0.07"}, {"LNum5(4)", "5,425"}, {"LNum5(5)", "6,510"},
    {"LNum6(0)", "420,000"}, {"LNum6(1)", "0"}, {"LNum6(2)", "90,000"}, {"LNum6(3)", "330,000"}, {"LNum6(4)", "77,500"},
    {"LNum6(5)", "38,750"}, {"LNum6(6)", "0"}, {"LNum6(7)", "300"}, {"LNum6(8)", "0"}};

// The worked case under 令和6年1月1日現在法令等, every label worked by hand:
//  ①  spouse 100,000, heir 2 40,000, heir 3 40,000, heir 4 0, legatee 0;  ② 180,000.
//  ③  30,000 + 6,000 × 3 heirs = 48,000;  ④ 180,000 − 48,000 = 132,000.
//  s   spouse 132,000 × 1 ÷ 2 = 66,000; heirs 2 and 3 132,000 × 1 ÷ 4 = 33,000; heir 4 has no
//      denominator: no share, its labels keep "0".
//  t   66,000 in the row up to 100,000: × 0.3 − 7,000 = 12,800; 33,000 in the row up to 50,000:
//      × 0.2 − 2,000 = 4,600 each.  ⑤ 12,800 + 4,600 + 4,600 = 22,000.
//  r   100,000 ÷ 180,000 = 0.5556 → ⌊(0.5556 + 0.005) × 100⌋ ÷ 100 = 0.56; 40,000 ÷ 180,000 =
//      0.2222 → 0.22 twice; heir 4 and the legatee have ① = 0: 0.
//  ⑤×r spouse 22,000 × 0.56 = 12,320; heirs 2 and 3 22,000 × 0.22 = 4,840; 0 and 0.
//  spouse: g = 180,000 × 1 ÷ 2 = 90,000 < ① 100,000, so lesser 90,000, limit 160,000; but
//      ① 100,000 is not above 160,000: the reduction shows "0" and the spouse pays "0".
//  heir 2: years "0": deduction 0 × 100 = "0", pays 4,840.  heir 3: years 5: 5 × 100 = "500",
//      pays 4,840 − 500 = 4,340.  heir 4: ① 0: years "0", deduction "0", pays "0".
//  legatee: ① 0: pays "0"; its share labels keep "0".
inline Inputs reiwa6Example()
{
    Inputs in;
    in.amounts[0][0] = 100000;
    in.amounts[1][0] = 40000;
    in.amounts[2][0] = 40000;
    in.heirs = "3";
    in.num = {"1", "1", "1", "", ""};
    in.den = {"2", "4", "4", "", ""};
    in.years = {"0", "5", "0"};
    return in;
}

inline const Texts kReiwa6Labels{
    {"LNum1(0)", "100,000"}, {"LNum1(1)", "66,000"}, {"LNum1(2)", "12,800"}, {"LNum1(3)", "0.56"}, {"LNum1(4)", "12,320"}, {"LNum1(5)", "0"},
    {"LNum2(0)", "40,000"}, {"LNum2(1)", "33,000"}, {"LNum2(2)", "4,600"}, {"LNum2(3)", "0.22"}, {"LNum2(4)", "4,840"}, {"LNum2(5)", "4,840"},
    {"LNum3(0)", "40,000"}, {"LNum3(1)", "33,000"}, {"LNum3(2)", "4,600"}, {"LNum3(3)", "0.22"}, {"LNum3(4)", "4,840"}, {"LNum3(5)", "4,340"},
    {"LNum4(0)", "0"}, {"LNum4(1)", "0"}, {"LNum4(2)", "0"}, {"LNum4(3)", "0"}, {"LNum4(4)", "0"}, {"LNum4(5)", "0"},
    {"LNum5(0)", "0"}, {"LNum5(1)", "0"}, {"LNum5(2)", "0"}, {"LNum5(3)", "0"}, {"LNum5(4)", "0"}, {"LNum5(5)", "0"},
    {"LNum6(0)", "180,000"}, {"LNum6(1)", "0"}, {"LNum6(2)", "48,000"}, {"LNum6(3)", "132,000"}, {"LNum6(4)", "22,000"},
    {"LNum6(5)", "0"}, {"LNum6(6)", "0"}, {"LNum6(7)", "500"}, {"LNum6(8)", "0"}};

} // namespace kz::tax::drive
