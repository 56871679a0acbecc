// SPDX-License-Identifier: MIT
#include "core/common/arith.h"
#include "sheet_helpers.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

namespace {

using namespace kz::tax;
using namespace kz::tax::drive;

struct CommitCase { const char* typed; std::int32_t stored; const char* shown; };
class Commit : public testing::TestWithParam<CommitCase> {};

TEST_P(Commit, LeadingNumberRoundedHalfEvenWithin32Bits)
{
    const auto& c = GetParam();
    TaxSheet s;
    const Field f = amountField(3, 2);
    type(s, f, "77"); // a stale value must not survive an unreadable entry
    type(s, f, c.typed);
    EXPECT_EQ(s.kingaku(3, 2), c.stored) << c.typed;
    EXPECT_EQ(s.text(f), c.shown) << c.typed;
}
INSTANTIATE_TEST_SUITE_P(Table, Commit, testing::Values(
    CommitCase{"1234567", 1234567, "1,234,567"}, CommitCase{"12.5", 12, "12"}, CommitCase{"13.5", 14, "14"},
    CommitCase{"-2.5", -2, "-2"}, CommitCase{"0.4", 0, "0"}, CommitCase{"0.5", 0, "0"}, CommitCase{"", 0, "0"},
    CommitCase{"-", 0, "0"}, CommitCase{".", 0, "0"}, CommitCase{"12-3", 12, "12"}, CommitCase{"1.2.3", 1, "1"},
    CommitCase{"1,234", 1, "1"}, CommitCase{" 1 2 3", 123, "123"}, CommitCase{"-500", -500, "-500"},
    CommitCase{"2147483647", 2147483647, "2,147,483,647"}, CommitCase{"2147483648", 0, "0"},
    CommitCase{"9999999999", 0, "0"}, CommitCase{"-2147483648", -2147483648, "-2,147,483,648"},
    CommitCase{"-2147483649", 0, "0"}, CommitCase{"2147483647.5", 0, "0"},
    CommitCase{"-2147483648.5", -2147483648, "-2,147,483,648"}));

TEST(Entry, FocusShowsTheStoredValueRawAndSelectsIt)
{
    TaxSheet s;
    const Field f = amountField(1, 0);
    type(s, f, "1234567");
    EXPECT_TRUE(s.gotFocus(f));
    EXPECT_EQ(s.text(f), "1234567");
    type(s, f, "-500");
    s.gotFocus(f);
    EXPECT_EQ(s.text(f), "-500");
    s.setText(heirCountField(), "1,5");
    EXPECT_FALSE(s.gotFocus(heirCountField()));
    s.lostFocus(heirCountField()); // no commit outside the amount grid
    EXPECT_EQ(s.text(heirCountField()), "1,5");
}

TEST(Entry, AnyChangeClearsResultsAndTheSameTextClearsNothing)
{
    TaxSheet s;
    load(s, workedExample());
    s.command4();
    std::vector<Field> changed;
    s.inputChanged = [&](Field f) { changed.push_back(f); };
    s.setText(heirCountField(), "4");           // same text
    EXPECT_TRUE(s.gotFocus(amountField(4, 0))); // shows "0" as it was
    s.lostFocus(amountField(4, 0));
    EXPECT_TRUE(changed.empty());
    expectLabels(s, kWorkedExampleLabels);
    s.gotFocus(amountField(1, 0)); // "250,000" becomes "250000": a change
    EXPECT_EQ(changed, std::vector<Field>{amountField(1, 0)});
    for (const auto& text : labelTexts(s))
        EXPECT_EQ(text, "0");
}

TEST(Entry, InitialTexts)
{
    TaxSheet s;
    for (int tab = 0; tab < kFieldCount; ++tab) {
        const Field f = fieldAtTab(tab);
        const bool share = tab >= 31 && tab <= 40;
        EXPECT_EQ(s.text(f), share ? "" : "0") << fieldName(f);
    }
    for (const auto& text : labelTexts(s))
        EXPECT_EQ(text, "");
}

// A sheet with every input set to something other than what a clear writes.
TaxSheet filledSheet()
{
    Inputs in = workedExample();
    for (auto& person : in.amounts)
        for (int i = 0; i < 6; ++i)
            person[i] += i == 0 ? 2 : 1; // every amount changes, every taxable value stays nonzero
    in.num[4] = in.den[4] = "1";
    in.years = {"1", "2", "3"};
    TaxSheet s;
    load(s, in);
    s.command4();
    return s;
}

struct ClearCase { ClearLabel label; std::vector<Field> order; std::vector<int> zeroedPersons; };

std::vector<Field> amountsOf(int p) { std::vector<Field> v; for (int i = 0; i < 6; ++i) v.push_back(amountField(p, i)); return v; }
std::vector<Field> shareFields() { std::vector<Field> v; for (int k = 0; k < 5; ++k) { v.push_back(numeratorField(k)); v.push_back(denominatorField(k)); } return v; }
std::vector<Field> yearFields() { return {yearsField(2), yearsField(3), yearsField(4)}; }
std::vector<Field> allClearOrder()
{
    std::vector<Field> v;
    for (int i = 0; i < 6; ++i) for (int p = 1; p <= 5; ++p) v.push_back(amountField(p, i));
    for (Field f : shareFields()) v.push_back(f);
    for (Field f : yearFields()) v.push_back(f);
    v.push_back(heirCountField());
    return v;
}

class Clears : public testing::TestWithParam<ClearCase> {};
TEST_P(Clears, FieldsInOrderAmountsAndResults)
{
    const auto& c = GetParam();
    TaxSheet s = filledSheet();
    TaxSheet before = filledSheet();
    std::vector<Field> changed;
    s.inputChanged = [&](Field f) { changed.push_back(f); };
    std::vector<Label> written;
    s.labelChanged = [&](Label l) { written.push_back(l); };
    s.click(c.label);
    EXPECT_EQ(changed, c.order);
    ASSERT_GE(written.size(), std::size_t{kLabelCount});
    EXPECT_EQ(written.back(), sheetLabel(8)); // the last step clears the results
    for (const auto& text : labelTexts(s))
        EXPECT_EQ(text, "0");
    for (int tab = 0; tab < kFieldCount; ++tab) {
        const Field f = fieldAtTab(tab);
        const bool cleared = std::find(c.order.begin(), c.order.end(), f) != c.order.end();
        const std::string clearedText = c.label == ClearLabel::Label13 ? "" : "0";
        EXPECT_EQ(s.text(f), cleared ? clearedText : before.text(f)) << fieldName(f);
    }
    for (int p = 1; p <= 5; ++p) {
        const bool zeroed = std::count(c.zeroedPersons.begin(), c.zeroedPersons.end(), p) > 0;
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(s.kingaku(p, i), zeroed ? 0 : before.kingaku(p, i)) << p << ',' << i;
    }
}
INSTANTIATE_TEST_SUITE_P(Table, Clears, testing::Values(
    ClearCase{ClearLabel::Label19, amountsOf(1), {1}}, ClearCase{ClearLabel::Label20, amountsOf(2), {2}},
    ClearCase{ClearLabel::Label21, amountsOf(3), {3}}, ClearCase{ClearLabel::Label22, amountsOf(4), {4}},
    ClearCase{ClearLabel::Label16, amountsOf(5), {5}}, ClearCase{ClearLabel::Label13, shareFields(), {}},
    ClearCase{ClearLabel::Label14, yearFields(), {}}, ClearCase{ClearLabel::Label15, allClearOrder(), {1, 2, 3, 4, 5}}));

TEST(Clears, CeDoesNothing)
{
    TaxSheet s = filledSheet();
    const auto labels = labelTexts(s);
    int calls = 0;
    s.inputChanged = [&](Field) { ++calls; };
    s.labelChanged = [&](Label) { ++calls; };
    s.click(ClearLabel::Label7);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(labelTexts(s), labels);
}

TEST(Clears, AllClearedThenRecalculated)
{
    TaxSheet s = filledSheet();
    s.click(ClearLabel::Label15);
    s.command4();
    expectLabels(s, {{"LNum6(0)", "0"}, {"LNum6(2)", "50,000"}, {"LNum6(3)", "0"}, {"LNum6(4)", "0"}, {"LNum1(1)", "0"}});
}

// On a sheet whose fields already hold what a clear writes, only the clear's own final
// step can reset the results.
TEST(Clears, EachClearEndsByResettingTheResults)
{
    for (ClearLabel label : {ClearLabel::Label19, ClearLabel::Label20, ClearLabel::Label21, ClearLabel::Label22,
                             ClearLabel::Label16, ClearLabel::Label13, ClearLabel::Label14, ClearLabel::Label15}) {
        TaxSheet s;
        if (label == ClearLabel::Label15)
            s.click(ClearLabel::Label15);
        s.command4();
        ASSERT_EQ(s.labelText(sheetLabel(2)), "50,000");
        s.click(label);
        EXPECT_EQ(s.labelText(sheetLabel(2)), "0") << static_cast<int>(label);
    }
}

TEST(Clears, SharesEmptiedThenRecalculatedGiveNoTax)
{
    TaxSheet s = filledSheet();
    s.click(ClearLabel::Label13);
    std::vector<Label> written;
    s.labelChanged = [&](Label l) { written.push_back(l); };
    s.command4();
    for (int p = 1; p <= 4; ++p)
        EXPECT_EQ(std::count(written.begin(), written.end(), personLabel(p, 1)), 0) << p;
    EXPECT_EQ(s.labelText(sheetLabel(4)), "0");
}

// Random sheets within the 32-bit range: a second press changes nothing, and every
// label equals what a fresh sheet with the same inputs computes, or reads "0".
TEST(Property, TwoPressesEqualOneAndAFreshRecalculation)
{
    std::mt19937 rng(20080501);
    auto pick = [&](std::initializer_list<const char*> xs) { return std::string(xs.begin()[rng() % xs.size()]); };
    auto amount = [&]() -> std::int32_t {
        switch (rng() % 8) {
        case 0: case 1: case 2: return 0;
        case 3: case 4: return static_cast<std::int32_t>(rng() % 500001);
        case 5: return static_cast<std::int32_t>(rng() % 200001) - 100000;
        case 6: return static_cast<std::int32_t>(rng() % 300000001);
        default: return static_cast<std::int32_t>(rng());
        }
    };
    int worked = 0; // rounds whose ② fits 32 bits
    for (int round = 0; round < 400; ++round) {
        Inputs in;
        for (auto& person : in.amounts)
            for (auto& v : person)
                v = rng() % 3 == 0 ? amount() : 0;
        in.heirs = pick({"0", "1", "2", "3", "4", "5", "2.5", "", "12"});
        for (int k = 0; k < 5; ++k) {
            in.num[k] = pick({"", "0", "1", "1", "2", "0.5", "3"});
            in.den[k] = pick({"", "0", "2", "3", "4", "6", "1.5"});
        }
        for (auto& y : in.years)
            y = pick({"0", "0", "3", "2.5", "", "19"});

        TaxSheet pressed;
        load(pressed, in);
        pressed.command4();
        const auto once = labelTexts(pressed);
        pressed.command4();
        ASSERT_EQ(labelTexts(pressed), once) << "round " << round;

        TaxSheet fresh;
        for (int p = 1; p <= 5; ++p)
            for (int i = 0; i < 6; ++i)
                type(fresh, amountField(p, i), std::to_string(pressed.kingaku(p, i)));
        for (int tab = 30; tab < kFieldCount; ++tab)
            fresh.setText(fieldAtTab(tab), pressed.text(fieldAtTab(tab)));
        fresh.shokika();
        try { fresh.keisan(); } catch (const kz::ArithmeticError&) {}
        for (int slot = 0; slot < kLabelCount; ++slot) {
            const std::string& got = once[static_cast<std::size_t>(slot)];
            EXPECT_TRUE(got == "0" || got == fresh.labelText(labelAtSlot(slot)))
                << "round " << round << ' ' << labelName(labelAtSlot(slot)) << ": " << got;
        }
        // Worked from the inputs, which zeros cannot meet: ② the sum of received minus debts plus gifts,
        // ③ 5,000万円 + 1,000万円 per heir, ④ = max(0, ② − ③), whenever ② is reached within 32 bits.
        std::int64_t total = 0;
        bool fits = true; // at every step of the sheet's additions
        for (const auto& person : in.amounts) {
            std::int64_t v = 0;
            for (std::size_t i = 0; i < 6; ++i)
                fits = fits && std::in_range<std::int32_t>(v += (i >= 2 && i <= 4 ? -1 : 1) * std::int64_t{person[i]});
            fits = fits && std::in_range<std::int32_t>(total += v);
        }
        const std::int64_t basic = 50000 + 10000 * std::llrint(in.heirs.empty() ? 0.0 : std::stod(in.heirs));
        auto shown = [&](int i) { std::string t = once[static_cast<std::size_t>(labelSlot(sheetLabel(i)))]; std::erase(t, ','); return std::stoll(t); };
        if (fits) {
            ++worked;
            EXPECT_EQ((std::vector<std::int64_t>{shown(0), shown(2), shown(3)}),
                      (std::vector<std::int64_t>{total, basic, std::max<std::int64_t>(0, total - basic)})) << "round " << round;
        }
        // No payable tax and no taxable estate is ever negative.
        for (int p = 1; p <= 5; ++p)
            EXPECT_NE(once[static_cast<std::size_t>(labelSlot(personLabel(p, 5)))][0], '-') << "round " << round;
        EXPECT_NE(once[static_cast<std::size_t>(labelSlot(sheetLabel(3)))][0], '-') << "round " << round;
    }
    EXPECT_GT(worked, 100);
}

} // namespace
