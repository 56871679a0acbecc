// SPDX-License-Identifier: MIT
// The tax sheet driven as its window drives it, by a sequence of user actions read from
// the fuzzer's bytes: typed characters, Enter, arrows, focus moves, pastes, the clearing
// labels and "納付税額計算". After each action the sheet must still make sense.
#include "fuzz_support.h"

#include "core/common/format.h"
#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/sheet.h"

#include <array>
#include <optional>
#include <utility>

namespace {

using namespace kz::tax;
using kz::fuzz::Bytes;

// The form each result label shows when it is not "0": ratios and the minors' deductions
// in the plain form, amounts grouped. LNum6(1) is hidden and never written but as "0".
bool wellFormed(Label l, const std::string& text)
{
    if (text == "0" || text.empty()) // empty until the first clearing
        return true;
    if (l == sheetLabel(1))
        return false;
    const bool plain = (l.array != LabelArray::LNum6 && l.index == 3)
                       || (l.array == LabelArray::LNum6 && l.index >= 6);
    return plain ? kz::fuzz::isPlain(text) : kz::fuzz::isGrouped(text);
}

struct Snapshot {
    std::array<std::string, kFieldCount> fields;
    std::array<std::string, kLabelCount> labels;
    std::array<std::int32_t, kPersons * kAmountRows> kingaku;
    bool operator==(const Snapshot&) const = default;
};

class Window {
public:
    Window()
    {
        sheet_.inputChanged = [this](Field f) {
            if (focus_ && *focus_ == f)
                line_.load(sheet_.text(f));
        };
        moveTo(amountField(1, 0)); // the sheet opens with the spouse's first field
    }

    // One user action; true for "納付税額計算", whose results stand after it.
    bool act(Bytes& in)
    {
        const int what = in.below(10);
        if (!focus_ && (what == 3 || what == 8))
            return calculate(); // Enter on the focused button presses it too
        switch (what) {
        case 0:
        case 1:
        case 2: return type(kz::fuzz::kTyped[in.below(static_cast<int>(std::size(kz::fuzz::kTyped)))]);
        case 3: // Enter
            if (focus_)
                if (const auto to = enterTarget(*focus_))
                    go(*to);
            break;
        case 4: arrow(static_cast<Arrow>(37 + in.below(4))); break;
        case 5: moveTo(fieldAtTab(in.below(kFieldCount))); break; // Tab or a click
        case 6:
            if (focus_)
                edit([&] { line_.insert(decode(kz::fuzz::pasted(in))); });
            break;
        case 7: sheet_.click(static_cast<ClearLabel>(in.below(9))); break; // labels take no focus
        case 8: return calculate();
        case 9: line_.allSelected = true; break; // Ctrl+A
        }
        return false;
    }

    Snapshot snapshot() const
    {
        Snapshot s;
        for (int t = 0; t < kFieldCount; ++t)
            s.fields[static_cast<std::size_t>(t)] = sheet_.text(fieldAtTab(t));
        for (int i = 0; i < kLabelCount; ++i)
            s.labels[static_cast<std::size_t>(i)] = sheet_.labelText(labelAtSlot(i));
        for (int p = 1; p <= kPersons; ++p)
            for (int r = 0; r < kAmountRows; ++r)
                s.kingaku[static_cast<std::size_t>((p - 1) * kAmountRows + r)] = sheet_.kingaku(p, r);
        return s;
    }

    void check(const Snapshot& before, bool calculated) const
    {
        const Snapshot now = snapshot();
        for (int i = 0; i < kLabelCount; ++i)
            if (!wellFormed(labelAtSlot(i), now.labels[static_cast<std::size_t>(i)]))
                kz::fuzz::failed("result label not a number form", labelName(labelAtSlot(i)) + " = " + now.labels[static_cast<std::size_t>(i)]);
        if (!calculated && now.fields != before.fields)
            for (const std::string& l : now.labels)
                if (l != "0")
                    kz::fuzz::failed("a changed field left a result", l);
        for (int t = 0; t < kPersons * kAmountRows; ++t) {
            const Field f = fieldAtTab(t);
            if (focus_ && *focus_ == f)
                continue;
            const std::string grouped = kz::formatGrouped(sheet_.kingaku(personOf(f), f.index));
            if (sheet_.text(f) != grouped)
                kz::fuzz::failed("an amount field without the focus", fieldName(f) + " shows " + sheet_.text(f) + ", stored " + grouped);
        }
    }

private:
    static std::u32string decode(const std::string& s)
    {
        kz::fuzz::Line l;
        l.load(s);
        return l.text;
    }

    template <typename F>
    void edit(F&& change)
    {
        change();
        sheet_.setText(*focus_, line_.str());
    }

    // True when the character pressed "納付税額計算" (Space on the focused button).
    bool type(char32_t c)
    {
        if (!focus_)
            return c == U' ' && calculate();
        const KeyPressResult r = keyPress(*focus_, c);
        if (r.moveTo)
            go(*r.moveTo);
        else if (r.keep)
            edit([&] { c == U'\b' ? line_.backspace() : line_.insert(std::u32string(1, c)); });
        return false;
    }

    void arrow(Arrow key)
    {
        if (!focus_)
            return;
        if (const auto to = arrowTarget(*focus_, key))
            moveTo(*to);
        else if (key == Arrow::Left || key == Arrow::Right)
            line_.moveCaret(key == Arrow::Left ? -1 : 1);
    }

    void go(const FocusTarget& to)
    {
        if (to.kind == FocusTarget::Kind::Command4)
            leave();
        else
            moveTo(to.field);
    }

    void leave()
    {
        if (const auto f = std::exchange(focus_, std::nullopt))
            sheet_.lostFocus(*f);
    }

    void moveTo(Field f)
    {
        if (focus_ == f)
            return;
        leave();
        focus_ = f;
        line_ = {};
        line_.load(sheet_.text(f));
        line_.caret = line_.text.size();
        line_.allSelected = sheet_.gotFocus(f);
    }

    // The button takes the focus, then calculates; a second press must change nothing.
    bool calculate()
    {
        leave();
        sheet_.command4();
        const Snapshot once = snapshot();
        sheet_.command4();
        if (snapshot() != once)
            kz::fuzz::failed("a second 納付税額計算 changed the sheet", "");
        return true;
    }

    TaxSheet sheet_;
    std::optional<Field> focus_;
    kz::fuzz::Line line_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes in(data, size);
    Window w;
    while (in.more()) {
        const Snapshot before = w.snapshot();
        const bool calculated = w.act(in);
        w.check(before, calculated);
    }
    return 0;
}
