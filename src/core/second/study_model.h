// SPDX-License-Identifier: MIT
#pragma once
// The study window without a window: the texts of its entry fields, what they hold, and
// the figures, optimum and table for them, recomputed on every change so that the view
// only mirrors. Texts are UTF-8.
//  - Widget events -> model: setText on every edit, gotFocus / lostFocus, enterTarget for
//    Enter, setLaw / setSecondLaw from the drop-downs, chooseOptimum for the button.
//  - Model -> widgets: textChanged(entry) when the model rewrites a field (the share and
//    its percentage follow each other, commits reformat), recomputed() after each change.
#include "core/second/study.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kz::tax {
class TaxSheet;
}

namespace kz::second {

enum class Entry : std::uint8_t { Estate, Children, Share, Percent, Assets, Years };
inline constexpr int kEntryCount = 6;

// Why a sheet's case is not one the study can follow.
enum class SheetRefusal : std::uint8_t { None, NoSpouse, SpouseShare, OtherHeirs, Amounts };
// "配偶者がいない": the reason in words, for the message and the window's note.
std::string_view refusalReason(SheetRefusal why);

// The study of a sheet's case, or why it cannot follow it.
struct SheetStudy {
    StudyInput input;                         // meaningful when refusal is None
    SheetRefusal refusal = SheetRefusal::None;
};

// The study of the sheet's current case, from its stored amounts (② is their sum whether or
// not 納付税額計算 has run): E = ②, S = the spouse's ①, each heir 2..4 with a share a child
// with its ①, share and minors' years, the legatee's ① as the legatee's, the sheet's law. A
// case the study cannot follow is refused, never bent: no spouse (no share for the spouse),
// a spouse's share other than 1/2, heirs other than the spouse and children (an heir with
// an amount and no share, shares of the heirs that are not equal halves of the other half,
// or 法定相続人数 other than the spouse and those heirs), or a negative ①.
SheetStudy fromSheet(const tax::TaxSheet& sheet);

struct TableRow {
    // Statutory: the spouse's statutory share (1/2); Limit: 1億6千万円, where it lies within E.
    enum class Kind : std::uint8_t { Step, Statutory, Limit, Optimum, Chosen } kind;
    std::int32_t share;
    double percent;
    Figures figures;
};

class StudyForm {
public:
    explicit StudyForm(const StudyInput& start = {});

    std::function<void(Entry)> textChanged;
    std::function<void()> recomputed;

    const std::string& text(Entry e) const { return texts_[static_cast<std::size_t>(e)]; }
    void setText(Entry e, std::string text);
    void gotFocus(Entry e);  // an amount shows raw, to be selected whole by the view
    void lostFocus(Entry e); // the value it holds, in its shown form
    static Entry enterTarget(Entry e); // the next field down, the last back to the first

    void setLaw(const tax::LawEdition& law);
    void setSecondLaw(const tax::LawEdition* law); // nullptr: the first inheritance's
    void setInput(const StudyInput& in);
    // The sheet's family (a study from a sheet), or the study on its own for that reason.
    void setFromSheet(bool fromSheet)
    {
        fromSheet_ = fromSheet;
        if (fromSheet)
            refused_ = SheetRefusal::None;
    }
    void setStandalone(SheetRefusal why);
    // What the window says above the figures about whose family this is; empty for a study
    // that was never taken from a sheet.
    std::string note() const;
    void chooseOptimum(); // 最も少ない割合にする: the lowest share of the smallest total

    const StudyInput& input() const { return in_; }
    const Figures& figures() const { return figures_; }
    const Optimum& best() const { return best_; }
    double percent() const; // S as a percentage of E (0 when E is 0)
    // 0, 10, …, 100 % (each to the nearest 千円), the statutory share, 1億6千万円 where it lies
    // within E, then the optimum and the chosen share.
    const std::vector<TableRow>& table() const { return table_; }
    // Figures at every kink (best().kinks), for the chart.
    const std::vector<Figures>& curve() const { return best_.curve; }

private:
    void rewrite(Entry e, std::string text);
    void shareFromAmount(bool keepPercentText);
    void recompute();

    StudyInput in_;
    std::array<std::string, kEntryCount> texts_;
    std::array<bool, kEntryCount> focused_{};
    Figures figures_;
    Optimum best_;
    std::vector<TableRow> table_;
    bool fromSheet_ = false;
    bool familyChanged_ = false; // E or n typed over a sheet's family
    SheetRefusal refused_ = SheetRefusal::None;
};

} // namespace kz::second
