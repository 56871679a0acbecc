// SPDX-License-Identifier: MIT
#pragma once
// The coefficient window without a window: the stored amounts, the texts of Num1(0..35),
// the nine calculate commands, the "CE" clears and the fields' focus behaviour.
//
// Widget events -> model:
//   text edited        setText(field, text)   stores it, nothing else
//   focus in           gotFocus(field)        true: select the whole text
//   focus out          lostFocus(field)       commits an amount field into amounts()
//   Enter / Up / Down  enterTarget / arrowTarget (tables.h)
//   calculate button   calculate(calc)        a field index: report it, focus it;
//                                             else stopped(): show stopMessage
//   "CE" Label2(i)     clear(calcAt(i))       returns the field to focus
// Model -> widgets: textChanged(field) after every write of a field's text by the model.
#include "core/coefficients/tables.h"
#include "core/common/arith.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kz::coef {

// What the user is told when a calculation stopped without a result (title "エラー", as the
// window's other message): a figure beyond range, which may be the years or the rate as well
// as an amount, or a rate and years the formula has no value for (a rate of 0 divides 0 by 0).
std::string_view stopMessage(Failure why);

// A calculation whose results stand on its tab: the inputs it read and the coefficient
// its results are built on, for the steps that explain it.
struct Run {
    Calc calc{};
    double rate = 0, amount = 0;
    std::int16_t years = 0;
    double factor = 0;
};

class Calculator {
public:
    Calculator(); // the design texts and amounts of 0, as the window opens

    std::function<void(int field)> textChanged;

    const std::string& text(int field) const { return texts_[static_cast<std::size_t>(field)]; }
    std::int32_t amount(int slot) const { return amounts_[static_cast<std::size_t>(slot)]; }

    // The user's typing. Nothing follows from it until the field is left or a command runs.
    void setText(int field, std::string text);

    // Num1_GotFocus: an amount shows its stored value in plain digits and the
    // calculation's results turn to "0". Returns whether to select the whole text.
    bool gotFocus(int field);
    // Num1_LostFocus: an amount field stores the whole-number value of its text (0 when
    // it does not fit in 32 bits) and shows it grouped.
    void lostFocus(int field);

    // The calculate command. Returns the first field of the checking order whose text is
    // not a number; nothing is computed then.
    std::optional<int> calculate(Calc c);
    // Why the last calculate wrote no result though every field was a number; None when it
    // wrote them (a years value that cannot be read under carry on counts as 0, no stop).
    Failure stopped() const { return stopped_; }

    // The last calculation on a tab while its results stand: none before one, or once an
    // input of it is entered (its results turn to "0") or it is cleared.
    const std::optional<Run>& lastRun(int tab) const { return runs_[static_cast<std::size_t>(tab)]; }

    // "CE": the stored amount to 0 and the fields to their clear texts. Returns the
    // field that takes the focus.
    int clear(Calc c);

private:
    struct Inputs {
        double rate = 0, amount = 0;
        std::int16_t years = 0;
    };
    using Results = std::array<std::string, 2>;

    void read(Input what, const CalcInfo& ci, Inputs& in) const;
    static Results compute(Calc c, const Inputs& in);
    void writeResults(const CalcInfo& ci, const Results& results);
    void write(int field, std::string text);

    std::array<std::string, kFieldCount> texts_;
    std::array<std::int32_t, kAmountCount> amounts_{};
    Failure stopped_ = Failure::None;
    std::array<std::optional<Run>, kTabCount> runs_{};
    void record(Calc c, const Inputs& in);
    void forget(Calc c);
};

} // namespace kz::coef
