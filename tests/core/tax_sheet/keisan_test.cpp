// SPDX-License-Identifier: MIT
#include "core/common/arith.h"
#include "sheet_helpers.h"

namespace {

using namespace kz::tax;
using namespace kz::tax::drive;

std::vector<std::string> writesOf(TaxSheet& s, const std::function<void()>& action)
{
    std::vector<std::string> log;
    s.labelChanged = [&](Label l) { log.push_back(labelName(l)); };
    action();
    s.labelChanged = nullptr;
    return log;
}

Inputs heirWithShare(std::int32_t amount, const std::string& years = "0")
{
    Inputs in;
    in.amounts[1][0] = amount;
    in.heirs = "1";
    in.num[1] = in.den[1] = "1";
    in.years[0] = years;
    return in;
}

TEST(Keisan, WorkedExampleEveryLabel)
{
    TaxSheet s;
    load(s, workedExample());
    s.keisan();
    expectLabels(s, kWorkedExampleLabels);
    EXPECT_EQ(s.command4(), kz::Failure::None);
    expectLabels(s, kWorkedExampleLabels);
}

TEST(Keisan, Reiwa6WorkedCaseEveryLabel)
{
    TaxSheet s;
    s.setLaw(lawEditions()[1]);
    load(s, reiwa6Example());
    s.command4();
    expectLabels(s, kReiwa6Labels);
}

// Heir 4 has no taxable value but its years field holds "3": the first run resets it, and
// clear on change wipes what that run wrote so far. Only the legatee's payable, written
// after the reset, survives. The button's second run restores everything.
TEST(Keisan, YearsResetNeedsTheSecondRun)
{
    Inputs in = workedExample();
    in.years[2] = "3";
    TaxSheet once;
    load(once, in);
    once.keisan();
    EXPECT_EQ(once.text(yearsField(4)), "0");
    for (int slot = 0; slot < kLabelCount; ++slot) {
        const Label l = labelAtSlot(slot);
        EXPECT_EQ(once.labelText(l), l == personLabel(5, 5) ? "6,510" : "0") << labelName(l);
    }
    TaxSheet button;
    load(button, in);
    button.command4();
    expectLabels(button, kWorkedExampleLabels);
}

TEST(Keisan, SpouseAboveTaxFreeWithSmallerStatutoryShare)
{
    Inputs in;
    in.amounts[0][0] = 170000;
    in.amounts[1][0] = 130000;
    in.heirs = "2";
    in.num = {"1", "1"};
    in.den = {"2", "2"};
    TaxSheet s;
    load(s, in);
    s.command4();
    expectLabels(s, {{"LNum6(0)", "300,000"}, {"LNum6(3)", "230,000"}, {"LNum6(4)", "58,000"}, {"LNum1(3)", "0.57"},
                     {"LNum1(4)", "33,060"}, {"LNum6(5)", "30,740"}, {"LNum1(5)", "2,320"}});
}

TEST(Keisan, SpouseWithinTaxFreeOrStatutoryShareShowsZero)
{
    for (const auto& [spouse, num] : {std::pair{150000, "1"}, std::pair{200000, "2"}}) {
        Inputs in;
        in.amounts[0][0] = spouse;
        in.amounts[1][0] = 100000;
        in.heirs = "2";
        in.num = {num, "1"};
        in.den = {"3", "3"};
        TaxSheet s;
        load(s, in);
        s.command4();
        EXPECT_NE(s.labelText(personLabel(1, 4)), "0") << spouse;
        expectLabels(s, {{"LNum6(5)", "0"}, {"LNum1(5)", "0"}});
    }
}

TEST(Keisan, LegateeCapBinds)
{
    Inputs in = heirWithShare(1990000);
    in.amounts[4][0] = 10000;
    TaxSheet s;
    load(s, in);
    s.command4();
    expectLabels(s, {{"LNum6(4)", "923,000"}, {"LNum5(3)", "0.01"}, {"LNum5(5)", "7,000"}});
}

// ⑤ × r5 = 113.75000000000001: the sum of the two products lands above the half
// (136.50000000000003) where ⑤ × r5 × 1.2 would be exactly 136.5 and round to 136.
TEST(Keisan, LegateeSurchargeIsTheSumOfTwoProducts)
{
    Inputs in = heirWithShare(69164);
    in.amounts[4][0] = 5000;
    TaxSheet s;
    load(s, in);
    s.command4();
    expectLabels(s, {{"LNum6(4)", "1,625"}, {"LNum5(3)", "0.07"}, {"LNum5(4)", "114"}, {"LNum5(5)", "137"}});
}

// A legatee whose debts exceed what it received: the tax before adjustments comes out
// negative as the ratio gives it, but nothing negative is payable.
TEST(Keisan, LegateeWithNegativeValuePaysNothing)
{
    Inputs in = heirWithShare(200000);
    in.amounts[4][3] = 1000;
    TaxSheet s;
    load(s, in);
    s.command4();
    expectLabels(s, {{"LNum5(0)", "-1,000"}, {"LNum6(0)", "199,000"}, {"LNum5(3)", "-0.01"}, {"LNum5(4)", "-386"},
                     {"LNum5(5)", "0"}});
}

const std::string kHugeYears = "29961552247705261" + std::string(290, '0');
struct MinorCase { const char* years; const char* deduction; const char* payable; };
class Minors : public testing::TestWithParam<MinorCase> {};

// Heir 2 alone with a tax before adjustments of 27,300. The payable tax takes the deduction
// as its label shows it, E form included; a deduction above the tax leaves 0.
TEST_P(Minors, DeductionAndPayable)
{
    TaxSheet s;
    load(s, heirWithShare(170750, GetParam().years));
    s.command4();
    expectLabels(s, {{"LNum2(4)", "27,300"}, {"LNum6(6)", GetParam().deduction}, {"LNum2(5)", GetParam().payable}});
}
INSTANTIATE_TEST_SUITE_P(Table, Minors, testing::Values(
    MinorCase{"3", "180", "27,120"}, MinorCase{"0", "0", "27,300"}, MinorCase{"2.5", "150", "27,150"},
    MinorCase{"4.1", "246", "27,054"}, MinorCase{"455", "27300", "0"}, MinorCase{"1000", "60000", "0"},
    MinorCase{"0.00000001", "6E-07", "27,300"}, MinorCase{"100000000000000000", "6E+18", "0"},
    MinorCase{kHugeYears.c_str(), "1.79769313486232E+308", "0"})); // reads back as an overflow, not 0

struct HeirCountCase { const char* heirs; const char* basic; };
class HeirCount : public testing::TestWithParam<HeirCountCase> {};
TEST_P(HeirCount, BasicDeduction)
{
    Inputs in;
    in.heirs = GetParam().heirs;
    TaxSheet s;
    load(s, in);
    s.keisan();
    EXPECT_EQ(s.labelText(sheetLabel(2)), GetParam().basic) << GetParam().heirs;
}
INSTANTIATE_TEST_SUITE_P(Table, HeirCount, testing::Values(
    HeirCountCase{"4", "90,000"}, HeirCountCase{"10", "150,000"}, HeirCountCase{"", "50,000"},
    HeirCountCase{"2.5", "70,000"}, HeirCountCase{"3.5", "90,000"}, HeirCountCase{"32767", "327,720,000"},
    HeirCountCase{"-32768.5", "-327,630,000"}));

struct ShareCase { std::int32_t spouse, heir2; std::string heirs, num, den; Texts want; };
class Shares : public testing::TestWithParam<ShareCase> {};
TEST_P(Shares, Table)
{
    const auto& c = GetParam();
    Inputs in;
    in.amounts[0][0] = c.spouse;
    if (c.heir2 >= 0)
        in.amounts[1][0] = c.heir2;
    else
        in.amounts[1][3] = -c.heir2; // debts above what was received
    in.heirs = c.heirs;
    in.num[0] = c.num;
    in.den[0] = c.den;
    TaxSheet s;
    load(s, in);
    s.command4();
    expectLabels(s, c.want);
}
INSTANTIATE_TEST_SUITE_P(Table, Shares, testing::Values(
    // ④ = 3 and 5 with 1/2: shares at a half round to even.
    ShareCase{50003, 0, "0", "1", "2", {{"LNum6(3)", "3"}, {"LNum1(1)", "2"}}},
    ShareCase{50005, 0, "0", "1", "2", {{"LNum6(3)", "5"}, {"LNum1(1)", "2"}}},
    ShareCase{380000, 0, "0", "0.5", "1", {{"LNum1(1)", "165,000"}, {"LNum1(2)", "49,000"}}},
    // Below the basic deduction nothing is taxed.
    ShareCase{30000, 0, "2", "1", "2", {{"LNum6(3)", "0"}, {"LNum1(1)", "0"}, {"LNum1(2)", "0"}, {"LNum6(4)", "0"},
                                      {"LNum1(3)", "1"}, {"LNum1(4)", "0"}}},
    // Ratios round half up to hundredths; a negative value enters ② with its sign.
    ShareCase{1000, 2000, "0", "", "", {{"LNum2(0)", "2,000"}, {"LNum1(3)", "0.33"}, {"LNum2(3)", "0.67"}}},
    ShareCase{1000, 7000, "0", "", "", {{"LNum1(3)", "0.13"}, {"LNum2(3)", "0.88"}}},
    ShareCase{9000, -1000, "0", "", "", {{"LNum2(0)", "-1,000"}, {"LNum6(0)", "8,000"}, {"LNum2(3)", "-0.12"}}}));

TEST(Keisan, HeirWithoutDenominatorHasNoShareButARatio)
{
    Inputs in = workedExample();
    in.den[2] = "";
    TaxSheet s;
    load(s, in);
    const auto log = writesOf(s, [&] { s.command4(); });
    for (const char* name : {"LNum3(1)", "LNum3(2)", "LNum5(1)", "LNum5(2)", "LNum6(1)"})
        EXPECT_EQ(std::count(log.begin(), log.end(), name), 0) << name;
    expectLabels(s, {{"LNum3(1)", "0"}, {"LNum3(2)", "0"}, {"LNum6(4)", "68,000"}, {"LNum3(3)", "0.12"}});
}

TEST(Keisan, NoSpouseLeavesItsLabelsUnwritten)
{
    TaxSheet s;
    load(s, heirWithShare(200000));
    const auto log = writesOf(s, [&] { s.keisan(); });
    for (const char* name : {"LNum6(5)", "LNum1(5)"})
        EXPECT_EQ(std::count(log.begin(), log.end(), name), 0) << name;
    EXPECT_EQ(log.back(), "LNum5(5)");
}

// Each failure stops the run: the labels written before it, in order, and no other.
struct FailureCase { const char* what; Inputs in; std::vector<std::string> written; kz::Failure why = kz::Failure::Range;
                     const char* reason = "金額が大きすぎるため"; };
class Failures : public testing::TestWithParam<FailureCase> {};

TEST_P(Failures, StopWithEarlierLabelsKept)
{
    const auto& c = GetParam();
    TaxSheet s;
    load(s, c.in);
    const auto before = labelTexts(s);
    const auto log = writesOf(s, [&] { EXPECT_THROW(s.keisan(), kz::ArithmeticError) << c.what; });
    EXPECT_EQ(log, c.written) << c.what;
    const auto afterOne = labelTexts(s);
    for (int slot = 0; slot < kLabelCount; ++slot) {
        if (std::count(log.begin(), log.end(), labelName(labelAtSlot(slot))) == 0) {
            EXPECT_EQ(afterOne[slot], before[slot]) << c.what << ' ' << labelName(labelAtSlot(slot));
        }
    }
    EXPECT_EQ(s.command4(), c.why) << c.what; // both runs stop at the same step
    EXPECT_EQ(labelTexts(s), afterOne) << c.what;
    EXPECT_TRUE(stopReason(s.working()).starts_with(c.reason) && !s.resultsStand()) << stopReason(s.working());
}

using Names = std::vector<std::string>;
Names operator+(Names a, const Names& b) { a.insert(a.end(), b.begin(), b.end()); return a; }
const Names kTaxable{"LNum1(0)", "LNum2(0)", "LNum3(0)", "LNum4(0)", "LNum5(0)"};
const Names kToEstate = kTaxable + Names{"LNum6(0)", "LNum6(2)", "LNum6(3)"};
const Names kRatiosAndBefore{"LNum1(3)", "LNum2(3)", "LNum3(3)", "LNum4(3)", "LNum5(3)",
                             "LNum1(4)", "LNum2(4)", "LNum3(4)", "LNum4(4)", "LNum5(4)"};

Inputs make(std::function<void(Inputs&)> edit) { Inputs in; edit(in); return in; }

INSTANTIATE_TEST_SUITE_P(Table, Failures, testing::Values(
    FailureCase{"taxable value of person 3 beyond 32 bits",
                make([](Inputs& in) { in.amounts[2] = {2147483647, 1, 0, 0, 0, 0}; }), {"LNum1(0)", "LNum2(0)"}},
    FailureCase{"total beyond 32 bits",
                make([](Inputs& in) { in.amounts[0][0] = 2000000000; in.amounts[1][0] = 200000000; }), kTaxable},
    FailureCase{"heir count beyond 16 bits", make([](Inputs& in) { in.heirs = "32767.5"; }), kTaxable + Names{"LNum6(0)"}},
    FailureCase{"heir count below 16 bits", make([](Inputs& in) { in.heirs = "-40000"; }), kTaxable + Names{"LNum6(0)"}},
    FailureCase{"taxable estate beyond 32 bits",
                make([](Inputs& in) { in.amounts[0][0] = 2000000000; in.heirs = "-32768"; }),
                kTaxable + Names{"LNum6(0)", "LNum6(2)"}},
    FailureCase{"share beyond 32 bits (tiny denominator)",
                make([](Inputs& in) { in.amounts[0][0] = 1000000; in.heirs = "1"; in.num = {"1", "1"}; in.den = {"2", "0.0001"}; }),
                kToEstate + Names{"LNum1(1)", "LNum1(2)"}},
    FailureCase{"total tax beyond 32 bits",
                make([](Inputs& in) { in.amounts[0][0] = 2147483647; in.num = {"1", "1", "1"}; in.den = {"1", "1", "1"}; }),
                kToEstate + Names{"LNum1(1)", "LNum1(2)", "LNum2(1)", "LNum2(2)", "LNum3(1)", "LNum3(2)"}},
    FailureCase{"total 0 while values cancel out",
                make([](Inputs& in) { in.amounts[1][0] = 1000; in.amounts[2][3] = 1000; }), kToEstate + Names{"LNum6(4)"},
                kz::Failure::Undefined, "課税価格の合計（②）が 0 のため"},
    FailureCase{"spouse without a share denominator",
                make([](Inputs& in) { in.amounts[0][0] = 200000; in.amounts[1][0] = 100000; in.heirs = "1"; in.num[1] = in.den[1] = "1"; }),
                kToEstate + Names{"LNum2(1)", "LNum2(2)", "LNum6(4)"} + kRatiosAndBefore, kz::Failure::Undefined,
                "配偶者の相続分の分母が空欄か 0 のため"},
    FailureCase{"minors' deduction beyond a double", heirWithShare(170750, std::string(400, '9')),
                kToEstate + Names{"LNum2(1)", "LNum2(2)", "LNum6(4)"} + kRatiosAndBefore},
    FailureCase{"spouse's statutory share beyond 32 bits",
                make([](Inputs& in) { in.amounts[0][0] = 10000; in.heirs = "4"; in.num[0] = "1"; in.den[0] = "0.000001"; }),
                kToEstate + Names{"LNum1(1)", "LNum1(2)", "LNum6(4)"} + kRatiosAndBefore}));

} // namespace
