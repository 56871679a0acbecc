// SPDX-License-Identifier: MIT
#pragma once
// The inheritance-tax sheet without a window: stored amounts, field texts, result
// labels, the recalculation and the sheet's commands. No Qt here.
//
// For the window (FormSouzoku) author:
//  - Identify controls with Field / Label from fields.h (fieldAtTab, labelAtSlot and
//    fieldName/labelName help build them from tables). Texts are UTF-8.
//  - Widget events -> model:
//      text edited         setText(field, text)     a different text clears the results
//      focus in            gotFocus(field)          amounts show raw; the view selects all
//      focus out           lostFocus(field)         commits an amount field into kingaku
//      character typed     keyPress(field, c)       (fields.h) keep or discard; Enter moves
//      arrow key           arrowTarget(field, key)  (fields.h) empty: ordinary caret move
//      納付税額計算          command4()              a run that stopped: show stopMessage
//      clearing labels     click(ClearLabel::...)   CE (Label7) does nothing
//      law chosen          setLaw(edition)          another edition clears the results
//    Deliver the lostFocus of the field being left before a button or label acts, so
//    that the amount under edit is in kingaku when keisan reads it.
//  - Model -> widgets: inputChanged(field) after every change of a field's text (also
//    the model's own rewrites: focus, commit, clears, the years reset in keisan) and
//    labelChanged(label) after every write of a label, even an unchanged one. Mirror
//    text(field) / labelText(label); setting a widget to the text it already holds and
//    feeding that back through setText is harmless. lawChanged() after another edition
//    is chosen, before the results are cleared: captions and reference panels follow law().
#include "core/common/arith.h"
#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/law.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kz::tax {

enum class ClearLabel : std::uint8_t {
    Label7,  // "CE": does nothing
    Label19, // "配偶者"
    Label20, // "相続人2"
    Label21, // "相続人3"
    Label22, // "相続人4"
    Label16, // "受遺者"
    Label13, // "相続分": empties every share field
    Label14, // "未成年者": years fields to "0"
    Label15, // "AC": the whole sheet
};

// The figures of the last recalculation, as far as it went, for the steps that explain
// it: each stage is recorded once its labels are written. A clearing forgets them all.
struct Working {
    enum class Stage : std::uint8_t { None, Taxable, Total, Basic, Estate, Shares, TotalTax, Ratios, Before, Spouse, Heirs, Legatee };
    Stage reached = Stage::None;
    std::array<std::int32_t, kPersons> taxable{}; // ①
    std::int32_t total = 0;                       // ②
    std::int16_t heirs = 0;
    std::int32_t basic = 0;                       // ③
    std::int64_t excess = 0;                      // ② − ③ before the floor at 0
    std::int32_t estate = 0;                      // ④
    std::array<bool, 4> hasShare{};               // persons 1..4 with a denominator
    std::array<std::int32_t, 4> share{}, shareTax{};
    std::array<std::size_t, 4> quickRow{};        // the row of the law's quick table used
    std::int32_t totalTax = 0;                    // ⑤
    std::array<double, kPersons> ratio{}, before{};
    // The spouse's reduction (stage Spouse, when ①1 is not 0).
    std::int32_t statutory = 0, lesser = 0, limit = 0;
    double reductionRatio = 0;
    bool spouseReduced = false;
    // Heirs 2..4 marked for the 2割加算 in this run, and their raised tax (stage Heirs).
    std::array<bool, 3> surcharged{};
    std::array<std::int32_t, 3> heirRaised{};
    // The legatee (stage Legatee, when ①5 is not 0).
    std::int32_t legateeCap = 0, legateeRaised = 0;
    // Why the last 納付税額計算 stopped after `reached`; None when it ran to the end.
    Failure stopped = Failure::None;

    bool reachedStage(Stage s) const { return reached >= s; }
};

// What the user is told when 納付税額計算 stopped (title "相続税計算"); empty where the run
// stops in silence. A figure beyond the sheet's range would otherwise leave results that read
// as "no tax"; a division by zero (a spouse without a share, values that cancel out) keeps
// the silence the sheet has always had.
std::string_view stopMessage(Failure why);

// Why the last run stopped, in words for the steps and the report's refusal: the figure too
// large, or the division without a value (whose share's empty denominator, ② being 0).
// Empty when it did not stop.
std::string stopReason(const Working& w);

class TaxSheet {
public:
    TaxSheet();

    std::function<void(Field)> inputChanged;
    std::function<void(Label)> labelChanged;
    std::function<void()> lawChanged;
    // After a column's 2割加算 mark or name changed (persons 2..4; names 1..4).
    std::function<void(int person)> columnChanged;

    const std::string& text(Field f) const { return fields_[static_cast<std::size_t>(tabIndex(f))]; }
    const std::string& labelText(Label l) const { return labels_[static_cast<std::size_t>(labelSlot(l))]; }
    // Person 1..5, row 0..5, in thousands of yen.
    std::int32_t kingaku(int person, int row) const
    {
        return kingaku_[static_cast<std::size_t>(person - 1)][static_cast<std::size_t>(row)];
    }

    // The law edition the recalculation follows; a new sheet follows the stated one.
    const LawEdition& law() const { return *law_; }
    // Another edition is a change of the sheet like an entry: every result to "0".
    void setLaw(const LawEdition& law);

    // A text that differs from the field's current one is a change: it clears every result.
    void setText(Field f, std::string text);
    bool gotFocus(Field f);
    void lostFocus(Field f);

    // Every result label to "0".
    void shokika();
    // One recalculation. It stops at the first arithmetic failure by throwing
    // kz::ArithmeticError, leaving every label written before it in place.
    void keisan();
    // "納付税額計算": keisan twice, going on after a failure. The first run may reset the
    // years of an heir without a taxable value, wiping its own results; the second restores
    // them. Returns why the second run stopped, None when it ran to the end.
    Failure command4();

    // What the last recalculation worked out; reached is None while the results are cleared.
    const Working& working() const { return working_; }
    // Whether the labels are the results of a whole 納付税額計算: neither cleared since nor
    // stopped on the way. Only such results may leave the sheet (report, print).
    bool resultsStand() const
    {
        return working_.reached == Working::Stage::Legatee && working_.stopped == Failure::None;
    }

    // Beside the stated sheet: heirs 2..4 may pay the 2割加算 (相続税法18), applied to their tax
    // before the minors' deduction as the legatee's is; off unless set. A change is an entry:
    // it clears the results.
    bool surcharged(int person) const { return surcharge_[static_cast<std::size_t>(person - 2)]; }
    void setSurcharged(int person, bool on);
    // Whom a column stands for (persons 1..4), as the family named it; empty: only its caption.
    // A name is no input of the calculation and clears nothing.
    const std::string& columnName(int person) const { return names_[static_cast<std::size_t>(person - 1)]; }
    void setColumnName(int person, std::string name);

    void click(ClearLabel label);
    void clearPerson(int person); // Label19..22, Label16
    void clearShares();           // Label13
    void clearMinorYears();       // Label14
    void clearAll();              // Label15, the 2割加算 marks and the columns' names too

private:
    void writeLabel(Label l, std::string text);

    const LawEdition* law_ = &statedLaw();
    Working working_;
    std::array<std::string, kFieldCount> fields_;
    std::array<std::string, kLabelCount> labels_;
    std::array<std::array<std::int32_t, kAmountRows>, kPersons> kingaku_{};
    std::array<bool, 3> surcharge_{};
    std::array<std::string, 4> names_;
};

} // namespace kz::tax
