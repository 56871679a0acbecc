// SPDX-License-Identifier: MIT
#include "core/tax_sheet/steps.h"

#include "core/common/format.h"
#include "core/common/numeric.h"
#include "core/common/utf8.h"
#include "core/tax_sheet/figures.h"
#include "core/tax_sheet/sokusan.h"

#include <cmath>

namespace kz::tax {
namespace {

using Stage = Working::Stage;

constexpr const char* kPerson[kPersons] = {"配偶者", "相続人 2", "相続人 3", "相続人 4", "受遺者"};
constexpr const char* kAmountWords[kAmountRows] = {"相続・遺贈で取得した額", "みなし相続財産の額", "非課税財産の額",
                                                   "継承した債務の額", "葬式費用の負担額", nullptr};

std::string grouped(double v) { return formatGrouped(v); }
std::string caption(const SheetFigure& f) { return std::string(f.caption); }

// The law's caption of the gift row without its sign: "相続前３年以内の贈与額".
std::string giftWords(const LawEdition& law)
{
    std::string caption = utf8Of(law.giftRowCaption);
    const auto sign = caption.find('(');
    return sign == std::string::npos ? caption : caption.substr(0, sign);
}

std::string quickRowWords(const LawEdition& law, std::size_t row)
{
    const auto& table = law.quickTable;
    if (row + 1 == table.size()) // the last row takes what is above the row before it, if any
        return row == 0 ? std::string("全額") : manYen(table[row - 1].upTo) + "超";
    return manYen(table[row].upTo) + "以下";
}

class Builder {
public:
    explicit Builder(const TaxSheet& s) : s_(s), w_(s.working()), law_(s.law()) {}

    kz::Steps build()
    {
        if (w_.reached == Stage::None)
            return {};
        taxable();
        if (reached(Stage::Total))
            add(caption(kTotalTaxable), "各人の課税価格①の合計", sumOfTaxable(), label(kTotalTaxable.label));
        if (reached(Stage::Basic))
            add(caption(kBasicDeduction), manYen(law_.basicDeduction) + " + " + manYen(law_.basicPerHeir) + " × 法定相続人数",
                grouped(law_.basicDeduction) + " + " + grouped(law_.basicPerHeir) + " × " + std::to_string(w_.heirs),
                label(kBasicDeduction.label));
        if (reached(Stage::Estate))
            add(caption(kTaxableEstate), "② − ③",
                grouped(w_.total) + " − " + grouped(w_.basic) + (w_.excess < 0 ? "（マイナスのため 0）" : ""),
                label(kTaxableEstate.label));
        if (reached(Stage::Shares))
            shares();
        if (reached(Stage::TotalTax))
            add(caption(kTotalTax), "各人の相続税額の合計", sumOfShareTaxes(), label(kTotalTax.label));
        if (reached(Stage::Ratios))
            forTaxed([this](int p) {
                add(of(PersonRow::Ratio, p), "①（" + std::string(kPerson[p - 1]) + "）÷ ②、小数第３位を四捨五入",
                    grouped(taxableOf(p)) + " ÷ " + grouped(w_.total), label(personLabel(p, PersonRow::Ratio)),
                    unitOf(PersonRow::Ratio));
            });
        if (reached(Stage::Before))
            forTaxed([this](int p) {
                add(of(PersonRow::Before, p), "⑤ × 相続額比率", grouped(w_.totalTax) + " × " + label(personLabel(p, PersonRow::Ratio)),
                    label(personLabel(p, PersonRow::Before)));
            });
        if (reached(Stage::Spouse) && taxableOf(1) != 0)
            spouse();
        if (reached(Stage::Heirs))
            for (int p = 2; p <= 4; ++p)
                if (taxableOf(p) != 0)
                    heir(p);
        if (reached(Stage::Legatee) && taxableOf(5) != 0)
            legatee();
        return std::move(steps_);
    }

private:
    bool reached(Stage stage) const { return w_.reachedStage(stage); }
    std::int32_t taxableOf(int p) const { return w_.taxable[static_cast<std::size_t>(p - 1)]; }
    std::string label(Label l) const { return s_.labelText(l); }
    // "相続額（相続人 2）", with the person the family put in the column: "（相続人 2・長男）".
    std::string of(std::string_view caption, int p) const
    {
        const std::string name = p < kPersons ? s_.columnName(p) : std::string();
        return std::string(caption) + "（" + kPerson[p - 1] + (name.empty() ? "" : "・" + name) + "）";
    }
    std::string of(PersonRow row, int p) const { return of(personFigure(row).caption, p); }
    std::string shareText(int k) const { return s_.text(numeratorField(k)) + "/" + s_.text(denominatorField(k)); }

    static std::string unitOf(PersonRow row) { return personFigure(row).thousands ? "千円" : ""; }

    void add(std::string caption, std::string words, std::string numbers, std::string result,
             std::string unit = "千円")
    {
        steps_.push_back({std::move(caption), std::move(words), std::move(numbers), std::move(result), std::move(unit)});
    }

    template <typename F>
    void forTaxed(F&& f)
    {
        for (int p = 1; p <= kPersons; ++p)
            if (taxableOf(p) != 0)
                f(p);
    }

    // ① with only the items the person has, each with its sign.
    void taxable()
    {
        forTaxed([this](int p) {
            std::string words, numbers;
            for (int i = 0; i < kAmountRows; ++i) {
                const std::int32_t v = s_.kingaku(p, i);
                if (v == 0)
                    continue;
                const std::size_t at = static_cast<std::size_t>(i);
                const std::string sign = kAmountSign[at] > 0 ? (words.empty() ? "" : " + ") : (words.empty() ? "− " : " − ");
                words += sign + (kAmountWords[at] ? std::string(kAmountWords[at]) : giftWords(law_));
                numbers += sign + grouped(v);
            }
            add(of(PersonRow::Taxable, p), words, numbers, label(personLabel(p, PersonRow::Taxable)));
        });
    }

    std::string sumOfTaxable() const
    {
        std::string out;
        for (int p = 1; p <= kPersons; ++p)
            if (taxableOf(p) != 0)
                out += (out.empty() ? "" : " + ") + grouped(taxableOf(p));
        return out.empty() ? "0" : out;
    }

    std::string sumOfShareTaxes() const
    {
        std::string out;
        for (std::size_t k = 0; k < 4; ++k)
            if (w_.hasShare[k])
                out += (out.empty() ? "" : " + ") + grouped(w_.shareTax[k]);
        return out.empty() ? "0" : out;
    }

    void shares()
    {
        for (int k = 0; k < 4; ++k) {
            const auto idx = static_cast<std::size_t>(k);
            if (!w_.hasShare[idx])
                continue;
            const int p = k + 1;
            add(of(PersonRow::Share, p), "④ × 法定相続分", grouped(w_.estate) + " × " + shareText(k), label(personLabel(p, PersonRow::Share)));
            const QuickRow& row = law_.quickTable[w_.quickRow[idx]];
            add(of(PersonRow::ShareTax, p), "相続額 × 税率 − 控除額（速算表 " + quickRowWords(law_, w_.quickRow[idx]) + "）",
                grouped(w_.share[idx]) + " × " + formatPlain(row.rate * 100) + "％ − " + grouped(row.deduction),
                label(personLabel(p, PersonRow::ShareTax)));
        }
    }

    void spouse()
    {
        const std::string floor = manYen(law_.spouseTaxFree);
        add("課税価格の法定相続分（配偶者）", "② × 法定相続分", grouped(w_.total) + " × " + shareText(0),
            grouped(w_.statutory));
        if (!w_.spouseReduced) {
            const std::string why = taxableOf(1) <= law_.spouseTaxFree
                                        ? "①" + grouped(taxableOf(1)) + " ≦ " + grouped(law_.spouseTaxFree)
                                        : "①" + grouped(taxableOf(1)) + " ≦ 法定相続分" + grouped(w_.statutory);
            add(caption(kSpouseReduction) + "計算", "①が" + floor + "以下、または法定相続分以下なら、配偶者の納付税額はなし", why,
                label(kSpouseReduction.label));
            add(of(PersonRow::Payable, 1), "税額軽減により納付税額なし", "", label(personLabel(1, PersonRow::Payable)));
            return;
        }
        // Which of the two was smaller, as a comparison; the reduction applies only below ①.
        std::string numbers = grouped(w_.statutory) + "（法定相続分） ＜ " + grouped(taxableOf(1)) + "（①）";
        if (w_.limit != w_.lesser)
            numbers += "、" + floor + "以下なので " + grouped(w_.limit);
        add("軽減の基となる額", "課税価格の法定相続分と各人の課税価格①の少ないほう、" + floor + "以下なら" + floor, numbers,
            grouped(w_.limit));
        add(caption(kSpouseReduction) + "計算", "相続税の総額 × 軽減の基となる額 ÷ 課税価格（比率は小数第２位まで）",
            grouped(w_.totalTax) + " × " + formatTwoDecimals(w_.reductionRatio) + "（" + grouped(w_.limit) + " ÷ " +
                grouped(w_.total) + "）",
            label(kSpouseReduction.label));
        add(of(PersonRow::Payable, 1), "修正前税額 − 配偶者の税額軽減額",
            label(personLabel(1, PersonRow::Before)) + " − " + label(kSpouseReduction.label), label(personLabel(1, PersonRow::Payable)));
    }

    void heir(int p)
    {
        const Label deduction = minorDeductionLabel(p);
        std::string before = label(personLabel(p, PersonRow::Before)), tax = "修正前税額";
        if (const auto h = static_cast<std::size_t>(p - 2); w_.surcharged[h]) {
            add(of("２割加算", p), "修正前税額 × 120％（相続税法18条）", before + " × 1.2", grouped(w_.heirRaised[h]));
            before = grouped(w_.heirRaised[h]);
            tax = "２割加算後の税額";
        }
        if (label(deduction) == "0") {
            add(of(PersonRow::Payable, p), tax + "（未成年者控除なし）", before, label(personLabel(p, PersonRow::Payable)));
            return;
        }
        const std::string years = formatPlain(numericValue(s_.text(yearsField(p))));
        add(std::string(kPerson[p - 1]) + " " + caption(kMinorDeduction), utf8Of(yearsCaption(law_)) + " × " + manYen(law_.minorPerYear),
            years + " × " + formatPlain(law_.minorPerYear), label(deduction));
        add(of(PersonRow::Payable, p), tax + " − 未成年者控除", before + " − " + label(deduction),
            label(personLabel(p, PersonRow::Payable)));
    }

    void legatee()
    {
        const std::string before = label(personLabel(5, PersonRow::Before));
        add("受遺者の２割加算", "修正前税額 × 120％", before + " × 1.2", grouped(w_.legateeRaised));
        add("受遺者の上限", "①の課税価格 × 70％", grouped(taxableOf(5)) + " × 0.7", grouped(w_.legateeCap));
        add(of(PersonRow::Payable, 5), "受遺者の相続税額の120％ と ①の課税価格×70％ の少ない方",
            grouped(w_.legateeRaised) + " と " + grouped(w_.legateeCap) + " の少ない方", label(personLabel(5, PersonRow::Payable)));
    }

    const TaxSheet& s_;
    const Working& w_;
    const LawEdition& law_;
    kz::Steps steps_;
};

} // namespace

std::string utf8Of(const char16_t* text)
{
    std::string out;
    for (const char16_t* c = text; c && *c; ++c) {
        char32_t cp = *c;
        if (cp >= 0xD800 && cp < 0xDC00 && c[1] >= 0xDC00 && c[1] < 0xE000)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(*++c) - 0xDC00);
        kz::appendUtf8(out, cp);
    }
    return out;
}

std::string manYen(double thousands)
{
    if (std::abs(thousands) >= 100'000)
        return formatPlain(thousands / 100'000) + "億円";
    return formatGrouped(thousands / 10) + "万円";
}

kz::Steps calculationSteps(const TaxSheet& sheet) { return Builder(sheet).build(); }

} // namespace kz::tax
