// SPDX-License-Identifier: MIT
#include "core/coefficients/tables.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace kz::coef;

TEST(Tables, EachCalculationOwnsItsRunOfFields)
{
    for (int i = 0; i < kCalcCount; ++i) {
        const CalcInfo& ci = calc(calcAt(i));
        for (int f = ci.first; f <= ci.last; ++f)
            EXPECT_EQ(field(f).calc, calcAt(i)) << f;
        for (int f : {ci.yearsField, ci.rateField})
            EXPECT_TRUE(f >= ci.first && f <= ci.last) << i;
        EXPECT_EQ(field(ci.yearsField).kind, FieldKind::Years);
        EXPECT_EQ(field(ci.rateField).kind, FieldKind::Rate);
        if (ci.amountField != kNone) {
            EXPECT_EQ(field(ci.amountField).kind, FieldKind::Amount);
        }
        for (int r : ci.results) {
            if (r != kNone) {
                EXPECT_EQ(field(r).kind, FieldKind::Result);
            }
        }
    }
    // Each amount field has its own slot.
    std::vector<int> slots;
    for (int f = 0; f < kFieldCount; ++f)
        if (field(f).kind == FieldKind::Amount)
            slots.push_back(field(f).slot);
    EXPECT_EQ(slots, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(Tables, NoFieldKeepsTheInputMethod)
{
    for (int f = 0; f < kFieldCount; ++f)
        EXPECT_FALSE(keepsInputMethod(f)) << f;
}

// Enter from the first field visits every input field of the calculation in order and
// ends on its button.
TEST(Tables, EnterRunsThroughACalculationToItsButton)
{
    for (int i = 0; i < kCalcCount; ++i) {
        const CalcInfo& ci = calc(calcAt(i));
        std::vector<int> visited, inputs;
        for (int f = ci.first; f <= ci.last; ++f)
            if (isInput(f))
                inputs.push_back(f);
        int at = ci.first;
        std::optional<FocusTarget> to;
        for (;;) {
            visited.push_back(at);
            to = enterTarget(at);
            ASSERT_TRUE(to);
            if (to->kind == FocusTarget::Kind::Button)
                break;
            at = to->field;
        }
        EXPECT_EQ(visited, inputs) << i;
        EXPECT_EQ(to->calc, calcAt(i));
    }
    for (int r : {3, 6, 10, 14, 15, 19, 23, 27, 31, 35})
        EXPECT_FALSE(enterTarget(r)) << r;
    EXPECT_EQ(enterTarget(29), (FocusTarget{FocusTarget::Kind::Field, 30, {}}));
}

TEST(Tables, ArrowsStayInTheirCalculationExceptOnTheFirstTab)
{
    for (int f = 0; f < kFieldCount; ++f) {
        for (Arrow key : {Arrow::Up, Arrow::Down}) {
            const auto to = arrowTarget(f, key);
            if (!to)
                continue;
            EXPECT_TRUE(isInput(*to));
            const Arrow back = key == Arrow::Up ? Arrow::Down : Arrow::Up;
            EXPECT_EQ(arrowTarget(*to, back), f) << f << " and back";
            const bool linked = (f == 2 && *to == 4) || (f == 4 && *to == 2);
            EXPECT_EQ(field(*to).calc == field(f).calc, !linked) << f;
        }
    }
    EXPECT_EQ(arrowTarget(2, Arrow::Down), 4);
    EXPECT_EQ(arrowTarget(4, Arrow::Up), 2);
    EXPECT_FALSE(arrowTarget(9, Arrow::Down));
    EXPECT_FALSE(arrowTarget(11, Arrow::Up));
    EXPECT_FALSE(arrowTarget(5, Arrow::Down));
    EXPECT_FALSE(arrowTarget(13, Arrow::Down));
    EXPECT_FALSE(arrowTarget(3, Arrow::Up));
}

TEST(Tables, CheckingOrder)
{
    EXPECT_EQ(checkOrder(Calc::FutureValue), (std::array<int, 2>{1, 2}));
    EXPECT_EQ(checkOrder(Calc::PriceRise), (std::array<int, 2>{4, 5}));
    for (int i = 2; i < kCalcCount; ++i) {
        const CalcInfo& ci = calc(calcAt(i));
        EXPECT_EQ(checkOrder(calcAt(i)), (std::array<int, 2>{ci.yearsField, ci.rateField})) << i;
    }
}

} // namespace
