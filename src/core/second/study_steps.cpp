// SPDX-License-Identifier: MIT
#include "core/second/study_steps.h"

#include "core/common/format.h"
#include "core/tax_sheet/steps.h"

#include <algorithm>

namespace kz::second {
namespace {

std::string amount(double v) { return formatGrouped(static_cast<double>(shown(v))); }
std::string count(int v) { return formatInteger(v); }

} // namespace

namespace {
// "1,200 + 1,300": each child's payable tax.
std::string childTerms(const StudyInput& in, const Figures& f)
{
    std::string out;
    for (int i = 0; i < in.children; ++i)
        out += (i ? " + " : "") + amount(f.childPays[static_cast<std::size_t>(i)]);
    return out;
}
} // namespace

kz::Steps studySteps(const StudyInput& in, const Figures& f)
{
    const tax::LawEdition& law1 = *in.law;
    const tax::LawEdition& law2 = in.secondLaw ? *in.secondLaw : law1;
    const std::string e = amount(in.estate), s = amount(in.spouseShare), n = count(in.children);
    const std::string t1 = amount(f.firstTax), a = amount(f.spousePays);
    kz::Steps steps{
        {"一次相続の基礎控除額", "基礎控除 + 1人あたりの額 × 法定相続人数（配偶者と子）",
         amount(law1.basicDeduction) + " + " + amount(law1.basicPerHeir) + " × " + count(in.children + 1),
         amount(f.firstDeduction), "千円"},
        {"一次相続の課税遺産総額", "課税価格の合計 − 基礎控除額（0 未満は 0）", e + " − " + amount(f.firstDeduction),
         amount(f.firstTaxable), "千円"},
        {"一次相続の相続税の総額", "計算シートと同じく、法定相続分（配偶者 1/2、子 各 1/(2 × 子の人数)）を千円に丸めて速算表を当て、千円に丸めて合計",
         amount(f.firstTaxable) + " × 1/2 と " + amount(f.firstTaxable) + " × 1/" + count(2 * in.children) + " × " + n + " 人",
         t1, "千円"},
        {"配偶者の税額軽減額", "取得額が " + tax::manYen(law1.spouseTaxFree) + " と課税価格の合計 × 1/2 の多いほうを超えるとき、相続税の総額 × その額 ÷ 課税価格の合計（小数第２位まで）",
         t1 + " × " + amount(f.reductionBound) + " ÷ " + e + "（取得額 " + s + "）", amount(f.reduction), "千円"},
        {"配偶者の納付税額", "相続税の総額 × 相続額比率（取得額 ÷ 課税価格の合計、小数第２位まで）− 税額軽減額（0 未満は 0）",
         t1 + " × " + s + " ÷ " + e + " − " + amount(f.reduction), a, "千円"},
        {"子の納付税額（合計）", "各子：相続税の総額 × 相続額比率 − 未成年者控除（0 未満は 0）の合計",
         childTerms(in, f), amount(f.childrenPay), "千円"},
        {"受遺者の納付税額", "相続税の総額 × 相続額比率 × 1.2（受遺者の取得額の 70 % まで）", t1 + " × " + amount(in.legatee) + " ÷ " + e + " × 1.2",
         amount(f.legateePays), "千円"},
        {"一次相続の納付税額", "配偶者 + 子 + 受遺者の納付税額", a + " + " + amount(f.childrenPay) + " + " + amount(f.legateePays),
         amount(f.firstPayable), "千円"},
        {"二次相続の課税価格", "配偶者の固有財産 + 配偶者の取得額 − 配偶者の納付税額",
         amount(in.spouseAssets) + " + " + s + " − " + a, amount(f.secondEstate), "千円"},
        {"二次相続の基礎控除額", "基礎控除 + 1人あたりの額 × 法定相続人数（子）",
         amount(law2.basicDeduction) + " + " + amount(law2.basicPerHeir) + " × " + n, amount(f.secondDeduction), "千円"},
        {"二次相続の相続税の総額", "（課税価格 − 基礎控除額）を子の人数で等分し速算表を当てて合計",
         amount(f.secondTaxable) + " × 1/" + n + " × " + n + " 人", amount(f.secondTax), "千円"},
        {"相次相続控除",
         "配偶者の納付税額 × 二次相続の課税価格 ÷ (取得額 − 納付税額)（1 を超えるときは 1） × (10 − 年数) ÷ 10",
         a + " × " + amount(f.secondEstate) + " ÷ (" + s + " − " + a + ")（1 を超えるときは 1） × (10 − " +
             count(in.years) + ") ÷ 10",
         amount(f.credit), "千円"},
        {"二次相続の納付税額", "相続税の総額 − 相次相続控除（0 未満は 0）", amount(f.secondTax) + " − " + amount(f.credit),
         amount(f.secondPayable), "千円"},
        {"一次・二次の合計", "一次相続の納付税額 + 二次相続の納付税額",
         amount(f.firstPayable) + " + " + amount(f.secondPayable), amount(f.total), "千円"},
    };
    if (in.legatee == 0) // no legatee, no step of its own
        std::erase_if(steps, [](const kz::Step& st) { return st.caption == "受遺者の納付税額"; });
    return steps;
}

} // namespace kz::second
