// SPDX-License-Identifier: MIT
#include "core/tax_sheet/fields.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using namespace kz::tax;

constexpr Field A(int p, int i) { return amountField(p, i); }
constexpr Field kNum6 = heirCountField();
constexpr Field N7(int k) { return numeratorField(k); }
constexpr Field N8(int k) { return denominatorField(k); }

TEST(Fields, TabOrderIsADenseIndexWithUniqueNames)
{
    std::set<std::string> names;
    for (int tab = 0; tab < kFieldCount; ++tab) {
        const Field f = fieldAtTab(tab);
        EXPECT_TRUE(isValid(f));
        EXPECT_EQ(tabIndex(f), tab) << fieldName(f);
        names.insert(fieldName(f));
    }
    EXPECT_EQ(names.size(), std::size_t{kFieldCount});
    EXPECT_EQ(fieldAtTab(30), kNum6);
    EXPECT_EQ(fieldAtTab(31), N7(0));
    EXPECT_EQ(fieldAtTab(40), N8(4));
    EXPECT_EQ(fieldAtTab(41), yearsField(2));
    EXPECT_FALSE(isValid(N8(5)));
    EXPECT_FALSE(isValid(Field{FieldArray::Num6, 1}));
    for (int slot = 0; slot < kLabelCount; ++slot)
        EXPECT_EQ(labelSlot(labelAtSlot(slot)), slot);
    EXPECT_EQ(labelName(labelAtSlot(38)), "LNum6(8)");
}

// The ten fraction fields, which open empty and show their text centred; the years
// share the array Num7 but are no fraction.
TEST(Fields, ShareFieldsAreTheFractionsOnly)
{
    std::set<int> shareTabs;
    for (int tab = 0; tab < kFieldCount; ++tab)
        if (isShareField(fieldAtTab(tab)))
            shareTabs.insert(tab);
    EXPECT_EQ(shareTabs, (std::set<int>{31, 32, 33, 34, 35, 36, 37, 38, 39, 40}));
    EXPECT_FALSE(isShareField(yearsField(2)));
    EXPECT_FALSE(isShareField(N8(5)));
    EXPECT_FALSE(isShareField(A(1, 0)));
}

TEST(Fields, EveryFieldSwitchesTheInputMethodOff)
{
    for (int tab = 0; tab < kFieldCount; ++tab)
        EXPECT_FALSE(keepsInputMethod(fieldAtTab(tab))) << tab;
}

// Enter walks the whole tab order from the first field, then the years, then the button.
TEST(Fields, EnterChainFollowsTabOrderToTheButton)
{
    Field f = fieldAtTab(0);
    for (int tab = 1; tab < kFieldCount; ++tab) {
        const auto next = enterTarget(f);
        ASSERT_TRUE(next && next->kind == FocusTarget::Kind::EntryField) << fieldName(f);
        EXPECT_EQ(next->field, fieldAtTab(tab)) << "from " << fieldName(f);
        f = next->field;
    }
    EXPECT_EQ(enterTarget(yearsField(4)), FocusTarget::command4());
    EXPECT_EQ(enterTarget(A(1, 5)), FocusTarget::to(A(2, 0)));
    EXPECT_EQ(enterTarget(A(5, 5)), FocusTarget::to(kNum6));
    EXPECT_EQ(enterTarget(N7(2)), FocusTarget::to(N8(2)));
    EXPECT_EQ(enterTarget(N8(2)), FocusTarget::to(N7(3)));
    EXPECT_EQ(enterTarget(N8(4)), FocusTarget::to(yearsField(2)));
}

struct ArrowCase { Field from; Arrow key; std::optional<Field> to; };

class Arrows : public testing::TestWithParam<ArrowCase> {};
TEST_P(Arrows, Table)
{
    const auto& c = GetParam();
    EXPECT_EQ(arrowTarget(c.from, c.key), c.to) << fieldName(c.from) << ' ' << static_cast<int>(c.key);
}

constexpr auto none = std::nullopt;
INSTANTIATE_TEST_SUITE_P(Table, Arrows, testing::Values(
    ArrowCase{A(1, 0), Arrow::Up, none}, ArrowCase{A(3, 0), Arrow::Up, none}, ArrowCase{A(3, 0), Arrow::Down, A(3, 1)},
    ArrowCase{A(1, 0), Arrow::Left, none}, ArrowCase{A(2, 0), Arrow::Left, A(1, 0)}, ArrowCase{A(4, 0), Arrow::Right, A(5, 0)},
    ArrowCase{A(5, 0), Arrow::Right, none}, ArrowCase{A(2, 3), Arrow::Up, A(2, 2)}, ArrowCase{A(2, 3), Arrow::Down, A(2, 4)},
    ArrowCase{A(5, 2), Arrow::Left, A(4, 2)}, ArrowCase{A(1, 4), Arrow::Right, A(2, 4)}, ArrowCase{A(5, 4), Arrow::Right, none},
    ArrowCase{A(4, 5), Arrow::Up, A(4, 4)}, ArrowCase{A(1, 5), Arrow::Down, kNum6}, ArrowCase{A(5, 5), Arrow::Down, kNum6},
    ArrowCase{A(1, 5), Arrow::Left, none}, ArrowCase{A(3, 5), Arrow::Right, A(4, 5)},
    ArrowCase{kNum6, Arrow::Up, A(1, 5)}, ArrowCase{kNum6, Arrow::Down, N7(0)}, ArrowCase{kNum6, Arrow::Left, none},
    ArrowCase{kNum6, Arrow::Right, none},
    ArrowCase{N7(0), Arrow::Up, kNum6}, ArrowCase{N7(3), Arrow::Up, kNum6}, ArrowCase{N7(3), Arrow::Down, N8(3)},
    ArrowCase{N7(0), Arrow::Left, none}, ArrowCase{N7(1), Arrow::Left, N7(0)}, ArrowCase{N7(3), Arrow::Right, N7(4)},
    ArrowCase{N7(4), Arrow::Right, none},
    ArrowCase{N8(2), Arrow::Up, N7(2)}, ArrowCase{N8(0), Arrow::Down, none}, ArrowCase{N8(4), Arrow::Down, none},
    ArrowCase{N8(0), Arrow::Left, none}, ArrowCase{N8(4), Arrow::Left, N8(3)}, ArrowCase{N8(3), Arrow::Right, N8(4)},
    ArrowCase{N8(4), Arrow::Right, none},
    ArrowCase{yearsField(2), Arrow::Up, none}, ArrowCase{yearsField(3), Arrow::Down, none},
    ArrowCase{yearsField(3), Arrow::Left, none}, ArrowCase{yearsField(4), Arrow::Right, none}));

struct KeyCase { char32_t c; bool keep; };
class Keys : public testing::TestWithParam<KeyCase> {};
TEST_P(Keys, FilterOnlyLooksAtTheCharacter)
{
    const auto r = keyPress(A(1, 0), GetParam().c);
    EXPECT_EQ(r.keep, GetParam().keep) << static_cast<unsigned>(GetParam().c);
    EXPECT_FALSE(r.moveTo);
}
INSTANTIATE_TEST_SUITE_P(Table, Keys, testing::Values(
    KeyCase{U'0', true}, KeyCase{U'9', true}, KeyCase{U'-', true}, KeyCase{U'.', true}, KeyCase{U'\b', true},
    KeyCase{U'a', false}, KeyCase{U' ', false}, KeyCase{U',', false}, KeyCase{U'+', false},
    KeyCase{U'\x03', false}, KeyCase{U'\x16', false}, KeyCase{U'１', false}, KeyCase{U'ｱ', false}));

TEST(Keys, EnterMovesAndIsDiscarded)
{
    const auto r = keyPress(yearsField(4), U'\r');
    EXPECT_FALSE(r.keep);
    EXPECT_EQ(r.moveTo, FocusTarget::command4());
    EXPECT_EQ(keyPress(A(1, 0), U'\r').moveTo, FocusTarget::to(A(1, 1)));
}

} // namespace
