// SPDX-License-Identifier: MIT
#include "core/tax_sheet/fields.h"

#include "core/common/entry_filter.h"

namespace kz::tax {
namespace {

constexpr int kNum6Tab = 30;
constexpr int kShareTab = 31;  // Num7(k) at 31 + 2k, Num8(k) at 32 + 2k
constexpr int kYearsTab = 41;  // Num7(5..7) at 41..43
constexpr int kShares = 5;
constexpr int kLastYears = 7;

bool isShareNumerator(Field f) { return f.array == FieldArray::Num7 && f.index < kShares; }
bool isYears(Field f) { return f.array == FieldArray::Num7 && f.index >= kShares; }

} // namespace

bool isValid(Field f)
{
    switch (f.array) {
    case FieldArray::Num6: return f.index == 0;
    case FieldArray::Num7: return f.index >= 0 && f.index <= kLastYears;
    case FieldArray::Num8: return f.index >= 0 && f.index < kShares;
    default: return f.index >= 0 && f.index < kAmountRows;
    }
}

bool isValid(Label l)
{
    const int count = l.array == LabelArray::LNum6 ? 9 : kAmountRows;
    return l.index >= 0 && l.index < count;
}

bool isAmountField(Field f) { return f.array <= FieldArray::Num5 && isValid(f); }
bool isShareField(Field f) { return isValid(f) && (isShareNumerator(f) || f.array == FieldArray::Num8); }
bool keepsInputMethod(Field) { return false; }
int personOf(Field amount) { return static_cast<int>(amount.array) + 1; }

int tabIndex(Field f)
{
    switch (f.array) {
    case FieldArray::Num6: return kNum6Tab;
    case FieldArray::Num7: return f.index < kShares ? kShareTab + 2 * f.index : kYearsTab + f.index - kShares;
    case FieldArray::Num8: return kShareTab + 1 + 2 * f.index;
    default: return (personOf(f) - 1) * kAmountRows + f.index;
    }
}

Field fieldAtTab(int tab)
{
    if (tab < kNum6Tab)
        return amountField(tab / kAmountRows + 1, tab % kAmountRows);
    if (tab == kNum6Tab)
        return heirCountField();
    if (tab < kYearsTab) {
        const int k = (tab - kShareTab) / 2;
        return (tab - kShareTab) % 2 == 0 ? numeratorField(k) : denominatorField(k);
    }
    return numeratorField(tab - kYearsTab + kShares);
}

int labelSlot(Label l) { return static_cast<int>(l.array) * kAmountRows + l.index; }

Label labelAtSlot(int slot)
{
    if (slot >= kPersons * kAmountRows)
        return sheetLabel(slot - kPersons * kAmountRows);
    return personLabel(slot / kAmountRows + 1, slot % kAmountRows);
}

std::string fieldName(Field f)
{
    if (f.array == FieldArray::Num6)
        return "Num6";
    return "Num" + std::to_string(static_cast<int>(f.array) + 1) + '(' + std::to_string(f.index) + ')';
}

std::string labelName(Label l)
{
    return "LNum" + std::to_string(static_cast<int>(l.array) + 1) + '(' + std::to_string(l.index) + ')';
}

std::optional<FocusTarget> enterTarget(Field f)
{
    if (!isValid(f))
        return std::nullopt;
    if (isAmountField(f)) {
        const int p = personOf(f);
        if (f.index < kAmountRows - 1)
            return FocusTarget::to(amountField(p, f.index + 1));
        return FocusTarget::to(p < kPersons ? amountField(p + 1, 0) : heirCountField());
    }
    if (f.array == FieldArray::Num6)
        return FocusTarget::to(numeratorField(0));
    if (isShareNumerator(f))
        return FocusTarget::to(denominatorField(f.index));
    if (f.array == FieldArray::Num8)
        return FocusTarget::to(numeratorField(f.index + 1)); // Num8(4) leads on to Num7(5)
    // Years fields: on down the years, then to the button that recalculates.
    if (f.index < kLastYears)
        return FocusTarget::to(numeratorField(f.index + 1));
    return FocusTarget::command4();
}

std::optional<Field> arrowTarget(Field f, Arrow key)
{
    if (!isValid(f) || isYears(f))
        return std::nullopt;
    if (isAmountField(f)) {
        const int p = personOf(f);
        const int i = f.index;
        switch (key) {
        case Arrow::Up: return i > 0 ? std::optional(amountField(p, i - 1)) : std::nullopt;
        case Arrow::Down: return i < kAmountRows - 1 ? amountField(p, i + 1) : heirCountField();
        case Arrow::Left: return p > 1 ? std::optional(amountField(p - 1, i)) : std::nullopt;
        case Arrow::Right: return p < kPersons ? std::optional(amountField(p + 1, i)) : std::nullopt;
        }
    }
    if (f.array == FieldArray::Num6) {
        // Up always returns to the spouse's last row, whichever column the user came from.
        if (key == Arrow::Up)
            return amountField(1, kAmountRows - 1);
        return key == Arrow::Down ? std::optional(numeratorField(0)) : std::nullopt;
    }
    const int k = f.index;
    const bool numerator = f.array == FieldArray::Num7;
    const Field left = numerator ? numeratorField(k - 1) : denominatorField(k - 1);
    const Field right = numerator ? numeratorField(k + 1) : denominatorField(k + 1);
    switch (key) {
    case Arrow::Up: return numerator ? heirCountField() : numeratorField(k);
    case Arrow::Down: return numerator ? std::optional(denominatorField(k)) : std::nullopt;
    case Arrow::Left: return k > 0 ? std::optional(left) : std::nullopt;
    case Arrow::Right: return k < kShares - 1 ? std::optional(right) : std::nullopt;
    }
    return std::nullopt;
}

KeyPressResult keyPress(Field f, char32_t c)
{
    if (c == U'\r')
        return {false, enterTarget(f)};
    return {entryCharAllowed(c), std::nullopt};
}

} // namespace kz::tax
