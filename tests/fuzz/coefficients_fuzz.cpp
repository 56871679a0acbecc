// SPDX-License-Identifier: MIT
// The coefficient window's model driven as its window drives it, by a sequence of user
// actions read from the fuzzer's bytes: typed characters, Enter, arrows, focus moves,
// pastes, the calculate buttons (clicked or typed on) and the "CE" labels. After each
// action every result must still be a number the window can show.
#include "fuzz_support.h"

#include "core/coefficients/calculator.h"
#include "core/coefficients/tables.h"
#include "core/common/entry_filter.h"
#include "core/common/format.h"

#include <array>
#include <optional>
#include <utility>

namespace {

using namespace kz::coef;
using kz::fuzz::Bytes;

// A result shows "0" (or nothing) until computed; then the form its calculation writes.
bool wellFormed(int index, const std::string& text)
{
    if (text == "0" || text.empty())
        return true;
    const Calc c = field(index).calc;
    if (c == Calc::PriceRise)
        return kz::fuzz::isTwoDecimals(text);
    if (c == Calc::LandDecline && index == calc(c).results[0])
        return text.empty() || kz::fuzz::isGrouped(text); // "###,###"
    return kz::fuzz::isGrouped(text);
}

struct Snapshot {
    std::array<std::string, kFieldCount> texts;
    std::array<std::int32_t, kAmountCount> amounts;
    bool operator==(const Snapshot&) const = default;
};

class Window {
public:
    Window()
    {
        model_.textChanged = [this](int f) {
            if (focus_ == f)
                line_.load(model_.text(f));
        };
        enter(0); // the first tab's first field
    }

    void act(Bytes& in)
    {
        switch (in.below(10)) {
        case 0:
        case 1:
        case 2: type(kz::fuzz::kTyped[in.below(static_cast<int>(std::size(kz::fuzz::kTyped)))]); break;
        case 3: // Enter
            if (focus_ != kNone) {
                if (const auto to = enterTarget(focus_))
                    to->kind == FocusTarget::Kind::Field ? moveTo(to->field) : toButton(to->calc);
            } else if (button_) {
                press(*button_);
            }
            break;
        case 4:
            if (focus_ != kNone)
                if (const auto to = arrowTarget(focus_, in.below(2) ? Arrow::Up : Arrow::Down))
                    moveTo(*to);
            break;
        case 5: moveTo(in.below(kFieldCount)); break; // Tab or a click
        case 6:
            if (focus_ != kNone && isInput(focus_))
                edit([&] {
                    kz::fuzz::Line p;
                    p.load(kz::fuzz::pasted(in));
                    line_.insert(p.text);
                });
            break;
        case 7: { // a click on a calculate button
            const Calc c = calcAt(in.below(kCalcCount));
            toButton(c);
            press(c);
            break;
        }
        case 8: enter(model_.clear(calcAt(in.below(kCalcCount)))); break;    // "CE" takes no focus
        case 9: line_.allSelected = true; break;                                // Ctrl+A
        }
    }

    Snapshot snapshot() const
    {
        Snapshot s;
        for (int i = 0; i < kFieldCount; ++i)
            s.texts[static_cast<std::size_t>(i)] = model_.text(i);
        for (int i = 0; i < kAmountCount; ++i)
            s.amounts[static_cast<std::size_t>(i)] = model_.amount(i);
        return s;
    }

    void check() const
    {
        for (int i = 0; i < kFieldCount; ++i) {
            const FieldInfo& f = field(i);
            if (f.kind == FieldKind::Result && !wellFormed(i, model_.text(i)))
                kz::fuzz::failed("result not a number form", "Num1(" + std::to_string(i) + ") = " + model_.text(i));
            if (f.kind == FieldKind::Amount && i != focus_
                && model_.text(i) != kz::formatGrouped(model_.amount(f.slot)))
                kz::fuzz::failed("an amount field without the focus",
                                 "Num1(" + std::to_string(i) + ") shows " + model_.text(i));
        }
        // Whoever is in a field sees no result of its calculation that its edits could outdate.
        if (focus_ != kNone && isInput(focus_))
            for (int r : calc(field(focus_).calc).results)
                if (r != kNone && model_.text(r) != "0")
                    kz::fuzz::failed("a result beside the field under edit", model_.text(r));
    }

private:
    template <typename F>
    void edit(F&& change)
    {
        change();
        model_.setText(focus_, line_.str());
    }

    void type(char32_t c)
    {
        if (focus_ == kNone) {
            // On a calculate button: Space presses it; some run on any other character too.
            if (button_ && (c == U' ' || (calc(*button_).computesOnCharKey && c != U'\t')))
                press(*button_);
            return;
        }
        if (!isInput(focus_) || !(kz::entryCharAllowed(c)))
            return;
        edit([&] { c == U'\b' ? line_.backspace() : line_.insert(std::u32string(1, c)); });
    }

    void leave()
    {
        if (focus_ != kNone)
            model_.lostFocus(std::exchange(focus_, kNone));
        button_.reset();
    }

    void arrive(int f)
    {
        focus_ = f;
        line_ = {};
        line_.load(model_.text(f));
        line_.caret = line_.text.size();
        line_.allSelected = model_.gotFocus(f);
    }

    void moveTo(int f)
    {
        if (focus_ == f)
            return;
        leave();
        arrive(f);
    }

    // The window's own move: it arrives again even in the field that has the focus.
    void enter(int f)
    {
        if (focus_ != f)
            leave();
        arrive(f);
    }

    void toButton(Calc c)
    {
        leave();
        button_ = c;
    }

    // A calculation; a bad number sends the focus to its field, and a second press
    // after a good one changes nothing.
    void press(Calc c)
    {
        if (const auto bad = model_.calculate(c)) {
            enter(*bad);
            return;
        }
        const Snapshot once = snapshot();
        if (model_.calculate(c) || snapshot() != once)
            kz::fuzz::failed("a second calculation changed the window", "");
    }

    Calculator model_;
    int focus_ = kNone;
    std::optional<Calc> button_;
    kz::fuzz::Line line_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    Window w;
    while (in.more()) {
        w.act(in);
        w.check();
    }
    return 0;
}
