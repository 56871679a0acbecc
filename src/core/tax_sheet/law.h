// SPDX-License-Identifier: MIT
#pragma once
// The law the sheet follows, as data: one description per law edition. The recalculation
// reads its numbers from the edition the sheet is set to, and the windows read its texts;
// nothing branches on which edition it is. Captions are UTF-16 (u"…") because only the
// windows show them; the rules need none of them.
#include <cstdint>
#include <span>
#include <string_view>

namespace kz::tax {

// One row of the inheritance-tax quick-calculation table: x ≤ upTo gives x × rate − deduction.
struct QuickRow {
    std::int32_t upTo; // inclusive: an amount on a bound belongs to the row it closes
    double rate;
    double deduction;
};

// One row of a gift-tax quick table as the command column shows it.
struct GiftBracket {
    const char16_t* price;
    const char16_t* rate;
    const char16_t* deduction;
};

struct GiftTable {
    const char16_t* title; // nullptr: a single table needs no title of its own
    std::span<const GiftBracket> brackets;
};

struct LawEdition {
    std::string_view key; // "h20": the edition in a case file and a batch line; each edition its own
    const char16_t* name; // "[平成20年5月1日現在法令等]": the heading's bracket and the drop-down's entry
    const char16_t* era;  // "平成": the era in which the help's model forms date themselves

    // ③ = basicDeduction + basicPerHeir × statutory heirs, in thousands of yen.
    std::int32_t basicDeduction;
    std::int32_t basicPerHeir;
    std::span<const QuickRow> quickTable; // tested from the top; the last row takes every amount
    double minorPerYear;                  // thousands of yen per year until minorAge
    int minorAge;
    // The spouse's reduction covers at least this much of ② (1億6千万円), in thousands of yen.
    std::int32_t spouseTaxFree;

    // Captions of the sheet that name these figures.
    const char16_t* basicCaption;     // ③'s formula
    const char16_t* minorRate;        // "×　６万円" on each minors' row
    const char16_t* giftRowCaption;   // amount row 5
    const char16_t* giftNote;         // a line under the sheet's notes; nullptr: none

    // The gift-tax quick tables of the command column and the notes under them.
    std::span<const GiftTable> giftTaxTables;
    std::span<const char16_t* const> giftTaxNotes;

    // The conditions of settlement taxation at inheritance, as the help page states them:
    // three numbered lines.
    const char16_t* settlementConditions;
    // A framed note on the help page about settlement taxation at inheritance: its title,
    // then its lines. Empty: the page as first written.
    std::span<const char16_t* const> settlementNote;
};

// "２０歳になるまでの年数": the heading of the minors' years, from the edition's age.
const char16_t* yearsCaption(const LawEdition& law);

// A window beside the sheet that shows figures of the law the sheet follows (the help).
class LawFollower {
public:
    virtual void followLaw(const LawEdition& law) = 0;

protected:
    ~LawFollower() = default;
};

// Every edition the sheet offers, the stated one first.
std::span<const LawEdition> lawEditions();
// The law of 2008-05-01, which a new sheet follows.
const LawEdition& statedLaw();

} // namespace kz::tax
