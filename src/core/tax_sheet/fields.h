// SPDX-License-Identifier: MIT
#pragma once
// Names of the sheet's entry fields and result labels, and the focus rules between
// the fields (Enter, arrow keys, typed characters) as pure functions.
#include <compare>
#include <cstdint>
#include <optional>
#include <string>

namespace kz::tax {

// The control arrays of the sheet. Num1..Num5 are the amount columns of persons 1..5
// (index = row 0..5), Num6 is the heir count (index 0 only), Num7(0..4)/Num8(0..4)
// the share fractions, Num7(5..7) the years to age 20 of heirs 2..4.
enum class FieldArray : std::uint8_t { Num1, Num2, Num3, Num4, Num5, Num6, Num7, Num8 };

struct Field {
    FieldArray array = FieldArray::Num1;
    int index = 0;
    friend auto operator<=>(const Field&, const Field&) = default;
};

// Result labels: LNum1..LNum5 index 0..5 (one column per person), LNum6 index 0..8.
enum class LabelArray : std::uint8_t { LNum1, LNum2, LNum3, LNum4, LNum5, LNum6 };

struct Label {
    LabelArray array = LabelArray::LNum1;
    int index = 0;
    friend auto operator<=>(const Label&, const Label&) = default;
};

inline constexpr int kPersons = 5;
inline constexpr int kAmountRows = 6;
inline constexpr int kFieldCount = 44;
inline constexpr int kLabelCount = 39;

// Persons are numbered 1..5 (spouse, heirs 2..4, legatee) as on the sheet.
constexpr Field amountField(int person, int row)
{
    return {static_cast<FieldArray>(person - 1), row};
}
constexpr Field heirCountField() { return {FieldArray::Num6, 0}; }
constexpr Field numeratorField(int k) { return {FieldArray::Num7, k}; }
constexpr Field denominatorField(int k) { return {FieldArray::Num8, k}; }
// Years to age 20 of heir 2, 3 or 4.
constexpr Field yearsField(int person) { return {FieldArray::Num7, person + 3}; }

constexpr Label personLabel(int person, int index) { return {static_cast<LabelArray>(person - 1), index}; }
constexpr Label sheetLabel(int index) { return {LabelArray::LNum6, index}; }

bool isValid(Field f);
bool isValid(Label l);
bool isAmountField(Field f);
bool isShareField(Field f); // Num7(0..4) and Num8(0..4)
// Whether a field leaves the input method as the user set it. None does: in kana mode it
// would only send full-width digits, which the filter discards, and swallow Enter.
bool keepsInputMethod(Field f);
int personOf(Field amount); // 1..5 for an amount field

// Tab order 0..43 doubles as the dense index of a field; fieldAtTab is its inverse.
int tabIndex(Field f);
Field fieldAtTab(int tab);
// Dense index 0..38 of a label: LNum1..LNum5 index 0..5 person-major, then LNum6(0..8).
int labelSlot(Label l);
Label labelAtSlot(int slot);

std::string fieldName(Field f); // "Num3(2)", "Num6"
std::string labelName(Label l); // "LNum6(4)"

// Where the focus may go: an entry field, or the button "納付税額計算" (Command4).
struct FocusTarget {
    enum class Kind : std::uint8_t { EntryField, Command4 };
    Kind kind = Kind::EntryField;
    Field field{};
    static constexpr FocusTarget to(Field f) { return {Kind::EntryField, f}; }
    static constexpr FocusTarget command4() { return {Kind::Command4, {}}; }
    friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

enum class Arrow : std::uint8_t { Left = 37, Up = 38, Right = 39, Down = 40 };

// Empty where the key keeps its ordinary effect inside the field.
std::optional<FocusTarget> enterTarget(Field f);
std::optional<Field> arrowTarget(Field f, Arrow key);

// A typed character: Enter (13) moves the focus and is discarded; otherwise only the
// entry filter's characters are kept.
struct KeyPressResult {
    bool keep = false;
    std::optional<FocusTarget> moveTo;
};
KeyPressResult keyPress(Field f, char32_t c);

} // namespace kz::tax
