// SPDX-License-Identifier: MIT
#include "core/case/cases.h"

namespace kz::cases {

namespace {

template <typename Model, typename FieldId>
void type(Model& m, FieldId f, const std::string& text)
{
    m.gotFocus(f);
    m.setText(f, text);
    m.lostFocus(f);
}

std::string withoutSpaces(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == ' ')
            continue;
        if (caption.substr(i, 3) == "\u3000") {
            i += 2;
            continue;
        }
        out += caption[i];
    }
    return out;
}

} // namespace

SheetAnswer computeSheet(const SheetCase& c)
{
    SheetAnswer a;
    tax::TaxSheet& s = a.sheet;
    s.setLaw(*c.law);
    for (int p = 1; p <= tax::kPersons; ++p) {
        if (!c.typed[static_cast<std::size_t>(p - 1)])
            continue;
        for (int i = 0; i < tax::kAmountRows; ++i)
            type(s, tax::amountField(p, i), c.amounts[static_cast<std::size_t>(p - 1)][static_cast<std::size_t>(i)]);
    }
    s.setText(tax::heirCountField(), c.heirs);
    for (int k = 0; k < tax::kPersons; ++k) {
        s.setText(tax::numeratorField(k), c.numerators[static_cast<std::size_t>(k)]);
        s.setText(tax::denominatorField(k), c.denominators[static_cast<std::size_t>(k)]);
    }
    for (int p = 2; p <= 4; ++p)
        s.setText(tax::yearsField(p), c.years[static_cast<std::size_t>(p - 2)]);
    for (int p = 2; p <= 4; ++p)
        s.setSurcharged(p, c.surcharge[static_cast<std::size_t>(p - 2)]);
    for (int p = 1; p <= 4; ++p)
        s.setColumnName(p, c.names[static_cast<std::size_t>(p - 1)]);
    a.stopped = s.command4();
    return a;
}

namespace {

std::optional<int> typeCoefficient(coef::Calculator& model, const CoefficientCase& c)
{
    const coef::CalcInfo& ci = coef::calc(c.calc);
    // Down the calculation's fields in its Enter order, as on the tab.
    for (int f = ci.first; f <= ci.last; ++f) {
        if (f == ci.amountField)
            type(model, f, c.amount);
        else if (f == ci.yearsField)
            type(model, f, c.years);
        else if (f == ci.rateField)
            type(model, f, c.rate);
    }
    return model.calculate(c.calc);
}

} // namespace

CoefficientAnswer computeCoefficient(const CoefficientCase& c)
{
    CoefficientAnswer a;
    a.badField = typeCoefficient(a.model, c);
    return a;
}

coef::Calculator computeCoefficients(const std::vector<CoefficientCase>& cases)
{
    coef::Calculator model;
    for (const CoefficientCase& c : cases)
        typeCoefficient(model, c);
    return model;
}

second::StudyForm computeSecond(const SecondCase& c)
{
    second::StudyForm form;
    form.setLaw(*c.law);
    form.setSecondLaw(c.secondLaw);
    using second::Entry;
    for (const auto& [entry, text] : {std::pair{Entry::Estate, &c.estate}, std::pair{Entry::Children, &c.children},
                                      std::pair{Entry::Share, &c.spouseShare}, std::pair{Entry::Assets, &c.spouseAssets},
                                      std::pair{Entry::Years, &c.years}})
        type(form, entry, *text);
    return form;
}

std::string_view calcName(coef::Calc c) { return coef::calc(c).name; }

std::optional<coef::Calc> calcNamed(std::string_view name)
{
    for (int i = 0; i < coef::kCalcCount; ++i)
        if (coef::calc(coef::calcAt(i)).name == name)
            return coef::calcAt(i);
    return std::nullopt;
}

const std::string& fieldKey(int index)
{
    static const std::array<std::string, coef::kFieldCount> keys = [] {
        std::array<std::string, coef::kFieldCount> made;
        for (int i = 0; i < coef::kFieldCount; ++i) {
            const coef::FieldInfo& f = coef::field(i);
            made[static_cast<std::size_t>(i)] = withoutSpaces(f.caption);
            // A unit that is a sentence reads around its field: "現在の…％まで下落しています。"
            if (f.unit.ends_with("\u3002"))
                made[static_cast<std::size_t>(i)] += "\u2026" + std::string(f.unit);
        }
        return made;
    }();
    return keys[static_cast<std::size_t>(index)];
}

} // namespace kz::cases
