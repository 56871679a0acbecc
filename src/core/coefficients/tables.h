// SPDX-License-Identifier: MIT
#pragma once
// The coefficient window's fields Num1(0..35) and its nine calculations as tables, and
// the focus moves between the fields. No Qt here; texts are UTF-8.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kz::coef {

inline constexpr int kFieldCount = 36; // Num1(0) .. Num1(35)
inline constexpr int kAmountCount = 8; // amounts(0) .. amounts(7)
inline constexpr int kCalcCount = 9;   // one "CE" label Label2(i) each
inline constexpr int kTabCount = 6;
inline constexpr int kNone = -1;

enum class FieldKind : std::uint8_t { Amount, Rate, Years, Result };

// In the order of the "CE" labels Label2(0..8).
enum class Calc : std::uint8_t {
    FutureValue,    // 終価係数, Command1
    PriceRise,      // 終価係数, Command2
    PresentValue,   // 現価係数, Command4
    LandDecline,    // 現価係数, Command5
    SinkingFund,    // 減債基金係数, Command7
    AnnuityFuture,  // 年金終価係数, Command8
    Withdrawal,     // 資本回収係数 ①, Command10
    LoanRepayment,  // 資本回収係数 ②, Command11
    AnnuityPresent, // 年金現価係数, Command13
};

constexpr Calc calcAt(int index) { return static_cast<Calc>(index); }
constexpr int indexOf(Calc c) { return static_cast<int>(c); }

// What a calculate command does after an arithmetic failure: end at once, or skip the
// failing step and go on with the next.
enum class Policy : std::uint8_t { Stop, CarryOn };

enum class Input : std::uint8_t { None, Rate, Amount, Years };

struct FieldInfo {
    Calc calc;
    FieldKind kind;
    std::string_view caption; // left of the field
    std::string_view unit;    // right of it
    std::string_view initial; // the text the window opens with
    int slot;                 // amounts() slot of an amount field, else kNone
    int up, down;             // arrow-key targets; kNone: the key does nothing
    int enter;                // next field; kNone: the calculation's button (or a result field)
};

struct CalcInfo {
    int tab;
    int command;                // the calculate button is CommandN
    std::string_view button;    // its caption
    int first, last;            // its fields are Num1(first) .. Num1(last)
    int amountField;            // kNone for the price rise, which takes no amount
    int yearsField, rateField;
    std::array<int, 2> results; // the second is kNone for one result
    std::array<Input, 3> reads; // the order in which the command reads its inputs
    bool rateCheckedFirst;      // else the years field is checked first
    Policy policy;
    bool computesOnCharKey;     // other character keys typed on the button run it too
    std::array<std::string_view, 5> clearTexts; // "CE": texts of Num1(first..last)
    std::string_view name;      // what it works out, to tell its controls apart: "元利合計"
};

const FieldInfo& field(int index);
const CalcInfo& calc(Calc c);
inline bool isInput(int index) { return field(index).kind != FieldKind::Result; }
// Whether an input field leaves the input method as the user set it. None does: in kana
// mode it would only send full-width digits, which the filter discards, and swallow Enter.
bool keepsInputMethod(int index);

// Where a key moves the focus from an input field.
struct FocusTarget {
    enum class Kind : std::uint8_t { Field, Button };
    Kind kind = Kind::Field;
    int field = kNone; // Kind::Field
    Calc calc{};       // Kind::Button: this calculation's calculate button
    friend bool operator==(const FocusTarget&, const FocusTarget&) = default;
};

enum class Arrow : std::uint8_t { Up = 38, Down = 40 };

// Empty for a result field, which has no key handling.
std::optional<FocusTarget> enterTarget(int field);
// Empty where the key does nothing.
std::optional<int> arrowTarget(int field, Arrow key);

// The two fields checked for a number, in the order the command checks them.
std::array<int, 2> checkOrder(Calc c);

} // namespace kz::coef
