// SPDX-License-Identifier: MIT
// Every step of 納付税額計算 for the worked cases of both law editions, worked by hand:
// caption, the formula with the shown numbers, and the result as the sheet shows it.
#include "sheet_helpers.h"
#include "core/tax_sheet/steps.h"

namespace {

using namespace kz::tax;
using namespace kz::tax::drive;

struct Want {
    const char* caption;
    const char* numbers;
    const char* result; // with its unit
};

void expectSteps(const TaxSheet& s, const std::vector<Want>& want)
{
    const kz::Steps steps = calculationSteps(s);
    ASSERT_EQ(steps.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(steps[i].caption, want[i].caption) << i;
        EXPECT_EQ(steps[i].numbers, want[i].numbers) << steps[i].caption;
        EXPECT_EQ(steps[i].result + steps[i].unit, want[i].result) << steps[i].caption;
    }
}

TEST(Steps, WorkedExampleOfTheStatedLaw)
{
    TaxSheet s;
    load(s, workedExample());
    s.command4();
    expectSteps(s, {
        {"①　各人の課税価格（配偶者）", "250,000 + 20,000 − 5,000 − 8,000 − 2,000", "255,000千円"},
        {"①　各人の課税価格（相続人 2）", "80,000 + 5,000", "85,000千円"},
        {"①　各人の課税価格（相続人 3）", "40,000 + 15,000 − 5,000", "50,000千円"},
        {"①　各人の課税価格（受遺者）", "30,000", "30,000千円"},
        {"②　課税価格（合計額）", "255,000 + 85,000 + 50,000 + 30,000", "420,000千円"},
        {"③　遺産　基礎控除額", "50,000 + 10,000 × 4", "90,000千円"},
        {"④　課税遺産総額", "420,000 − 90,000", "330,000千円"},
        {"相続額（配偶者）", "330,000 × 1/2", "165,000千円"},
        {"相続税額（配偶者）", "165,000 × 40％ − 17,000", "49,000千円"},
        {"相続額（相続人 2）", "330,000 × 1/6", "55,000千円"},
        {"相続税額（相続人 2）", "55,000 × 30％ − 7,000", "9,500千円"},
        {"相続額（相続人 3）", "330,000 × 1/6", "55,000千円"},
        {"相続税額（相続人 3）", "55,000 × 30％ − 7,000", "9,500千円"},
        {"相続額（相続人 4）", "330,000 × 1/6", "55,000千円"},
        {"相続税額（相続人 4）", "55,000 × 30％ − 7,000", "9,500千円"},
        {"⑤　相続税の総額", "49,000 + 9,500 + 9,500 + 9,500", "77,500千円"},
        {"相続額比率（配偶者）", "255,000 ÷ 420,000", "0.61"},
        {"相続額比率（相続人 2）", "85,000 ÷ 420,000", "0.2"},
        {"相続額比率（相続人 3）", "50,000 ÷ 420,000", "0.12"},
        {"相続額比率（受遺者）", "30,000 ÷ 420,000", "0.07"},
        {"修正前税額（配偶者）", "77,500 × 0.61", "47,275千円"},
        {"修正前税額（相続人 2）", "77,500 × 0.2", "15,500千円"},
        {"修正前税額（相続人 3）", "77,500 × 0.12", "9,300千円"},
        {"修正前税額（受遺者）", "77,500 × 0.07", "5,425千円"},
        {"課税価格の法定相続分（配偶者）", "420,000 × 1/2", "210,000千円"},
        {"軽減の基となる額", "210,000（法定相続分） ＜ 255,000（①）", "210,000千円"},
        {"配偶者の税額軽減額計算", "77,500 × 0.50（210,000 ÷ 420,000）", "38,750千円"},
        {"各人の納付税額（配偶者）", "47,275 − 38,750", "8,525千円"},
        {"各人の納付税額（相続人 2）", "15,500", "15,500千円"},
        {"相続人 3 未成年者控除", "5 × 60", "300千円"},
        {"各人の納付税額（相続人 3）", "9,300 − 300", "9,000千円"},
        {"受遺者の２割加算", "5,425 × 1.2", "6,510千円"},
        {"受遺者の上限", "30,000 × 0.7", "21,000千円"},
        {"各人の納付税額（受遺者）", "6,510 と 21,000 の少ない方", "6,510千円"},
    });
}

// Issue 14's case under 令和6年1月1日現在法令等: no legatee, the spouse within the tax-free
// floor, heir 3 five years short of 18.
TEST(Steps, Reiwa6CaseAndClearedSheet)
{
    TaxSheet s;
    s.setLaw(lawEditions()[1]);
    load(s, reiwa6Example());
    EXPECT_TRUE(calculationSteps(s).empty());
    s.command4();
    expectSteps(s, {
        {"①　各人の課税価格（配偶者）", "100,000", "100,000千円"},
        {"①　各人の課税価格（相続人 2）", "40,000", "40,000千円"},
        {"①　各人の課税価格（相続人 3）", "40,000", "40,000千円"},
        {"②　課税価格（合計額）", "100,000 + 40,000 + 40,000", "180,000千円"},
        {"③　遺産　基礎控除額", "30,000 + 6,000 × 3", "48,000千円"},
        {"④　課税遺産総額", "180,000 − 48,000", "132,000千円"},
        {"相続額（配偶者）", "132,000 × 1/2", "66,000千円"},
        {"相続税額（配偶者）", "66,000 × 30％ − 7,000", "12,800千円"},
        {"相続額（相続人 2）", "132,000 × 1/4", "33,000千円"},
        {"相続税額（相続人 2）", "33,000 × 20％ − 2,000", "4,600千円"},
        {"相続額（相続人 3）", "132,000 × 1/4", "33,000千円"},
        {"相続税額（相続人 3）", "33,000 × 20％ − 2,000", "4,600千円"},
        {"⑤　相続税の総額", "12,800 + 4,600 + 4,600", "22,000千円"},
        {"相続額比率（配偶者）", "100,000 ÷ 180,000", "0.56"},
        {"相続額比率（相続人 2）", "40,000 ÷ 180,000", "0.22"},
        {"相続額比率（相続人 3）", "40,000 ÷ 180,000", "0.22"},
        {"修正前税額（配偶者）", "22,000 × 0.56", "12,320千円"},
        {"修正前税額（相続人 2）", "22,000 × 0.22", "4,840千円"},
        {"修正前税額（相続人 3）", "22,000 × 0.22", "4,840千円"},
        {"課税価格の法定相続分（配偶者）", "180,000 × 1/2", "90,000千円"},
        {"配偶者の税額軽減額計算", "①100,000 ≦ 160,000", "0千円"},
        {"各人の納付税額（配偶者）", "", "0千円"},
        {"各人の納付税額（相続人 2）", "4,840", "4,840千円"},
        {"相続人 3 未成年者控除", "5 × 100", "500千円"},
        {"各人の納付税額（相続人 3）", "4,840 − 500", "4,340千円"},
    });
    EXPECT_EQ(calculationSteps(s)[4].words, "3,000万円 + 600万円 × 法定相続人数");
    s.setText(yearsField(3), "4"); // any change clears the results, and the steps with them
    EXPECT_TRUE(calculationSteps(s).empty());
}

// Heir 2, marked for the 2割加算 and named 甥 by the family: 6,000 × 1.2 = 7,200, less his
// 2 years' 120, pays 7,080; his steps say so, and name him.
TEST(Steps, HeirMarkedForTheSurcharge)
{
    Inputs in;
    in.amounts[1][0] = 100'000;
    in.heirs = "1";
    in.num[1] = in.den[1] = "1";
    in.years[0] = "2";
    TaxSheet s;
    load(s, in);
    s.setSurcharged(2, true);
    s.setColumnName(2, "甥");
    s.command4();
    kz::Steps last = calculationSteps(s);
    last.erase(last.begin(), last.end() - 3);
    std::string got;
    for (const kz::Step& step : last)
        got += step.caption + " " + step.numbers + " = " + step.result + "; ";
    EXPECT_EQ(got, "２割加算（相続人 2・甥） 6,000 × 1.2 = 7,200; 相続人 2 未成年者控除 2 × 60 = 120; "
                   "各人の納付税額（相続人 2・甥） 7,200 − 120 = 7,080; ");
}

} // namespace
