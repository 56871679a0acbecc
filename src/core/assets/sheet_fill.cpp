// SPDX-License-Identifier: MIT
#include "core/assets/sheet_fill.h"

#include "core/common/format.h"
#include "core/common/numeric.h"

#include <cmath>

namespace kz::assets {

namespace {

constexpr const char* kPerson[tax::kPersons] = {"配偶者", "相続人 2", "相続人 3", "相続人 4", "受遺者"};
constexpr const char* kRowCaption[kRows] = {"相続・遺贈で取得した額", "みなし相続財産の額", "非課税財産の額",
                                            "継承した債務の額", "葬式費用の負担額", "相続前の贈与額"};

void type(tax::TaxSheet& s, tax::Field f, const std::string& text)
{
    s.gotFocus(f);
    s.setText(f, text);
    s.lostFocus(f);
}

} // namespace

const AssetsLaw& lawOf(const tax::TaxSheet& sheet)
{
    const auto index = static_cast<std::size_t>(&sheet.law() - tax::lawEditions().data());
    return assetsLaws()[index < assetsLaws().size() ? index : 0];
}

int sheetTaxHeirs(const tax::TaxSheet& sheet)
{
    const double n = std::nearbyint(numericValue(sheet.text(tax::heirCountField())));
    return n >= 1 && n <= 32767 ? static_cast<int>(n) : 0;
}

void fillSheet(SheetAssets& a, tax::TaxSheet& sheet)
{
    const Estate e = readEstate(a.texts, lawOf(sheet));
    const Worked w = compute(e);
    for (int p = 0; p < kMaxPersons; ++p) {
        if (!hasItems(a.texts, p))
            continue;
        for (int r = 0; r < kRows; ++r)
            type(sheet, tax::amountField(p + 1, r), std::to_string(w.persons[static_cast<std::size_t>(p)].rows[static_cast<std::size_t>(r)]));
    }
    if (sheetTaxHeirs(sheet) == 0)
        sheet.setText(tax::heirCountField(), std::to_string(e.taxHeirs));
    a.written = e;
    a.worked = w;
    sheet.command4();
}

void takeEstate(SheetAssets& a, const std::optional<Estate>& e)
{
    a.texts = e ? textsOf(*e) : freshTexts();
    a.written.reset();
    if (!e)
        return;
    try {
        a.worked = compute(*e);
        a.written = e;
    } catch (const AssetsError&) {
        // Kept as entries: the window tells what is wrong when it opens.
    }
}

std::optional<Estate> estateOf(const SheetAssets& a, const tax::TaxSheet& sheet)
{
    if (a.texts.items.empty())
        return std::nullopt;
    try {
        return readEstate(a.texts, lawOf(sheet));
    } catch (const AssetsError&) {
        return std::nullopt;
    }
}

kz::Steps assetsSteps(const SheetAssets& a, const tax::TaxSheet& sheet)
{
    kz::Steps steps;
    if (!a.written)
        return steps;
    const Estate& e = *a.written;
    for (std::size_t p = 0; p < e.persons.size() && p < tax::kPersons; ++p) {
        const int person = static_cast<int>(p);
        for (int r = 0; r < kRows; ++r) {
            const std::int32_t amount = a.worked.persons[p].rows[static_cast<std::size_t>(r)];
            if (sheet.kingaku(person + 1, r) != amount)
                continue;
            const std::vector<std::string> lines = explain(e, a.worked, person, static_cast<Row>(r));
            if (lines.empty())
                continue;
            std::string words;
            for (const std::string& line : lines)
                words += (words.empty() ? "" : "; ") + line;
            steps.push_back({std::string(kRowCaption[r]) + "（" + kPerson[p] + "）", words, {},
                             formatGrouped(amount), "千円"});
        }
    }
    return steps;
}

} // namespace kz::assets
