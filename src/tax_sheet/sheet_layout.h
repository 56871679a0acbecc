// SPDX-License-Identifier: MIT
#pragma once
// Where everything stands on the calculation sheet page, in twips within the page, and
// what each control is called for a screen reader.
#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/sheet.h"
#include "ui/controls.h"

#include <QString>

#include <vector>

namespace kz::tax::layout {

struct Rect {
    Twips left, top, width, height;
};

inline constexpr Twips kPageWidth = 10695;
inline constexpr Twips kPageHeight = 9375;
inline constexpr Rect kCommand4{8520, 7800, 1935, 735};
// 各人の納付税額, the answers, in the frame under 納付税額計算.
inline constexpr Rect kPayableRow{60, 8595, 10440, 690};
// The heading, "相続税額計算シート　[…現在法令等]", in its bold 12-point font; it ends short of the
// commands beside it on the window (計算過程 at 8495, the page at 2520).
inline constexpr Rect kSheetHeading{120, 90, 5820, 390};
inline constexpr qreal kHeadingPointSize = 12;
QString heading(const LawEdition& law);
// The 2割加算 mark of heir 2, 3 or 4, in the band under ⑤ beside the stated sheet.
Rect surchargeRect(int person);

Rect fieldRect(Field f);
Rect labelRect(Label l);
Rect clearingLabelRect(ClearLabel c);
const char16_t* clearingCaption(ClearLabel c);
inline constexpr ClearLabel kClearingLabels[] = {
    ClearLabel::Label7,  ClearLabel::Label19, ClearLabel::Label20, ClearLabel::Label21, ClearLabel::Label22,
    ClearLabel::Label16, ClearLabel::Label13, ClearLabel::Label14, ClearLabel::Label15,
};
QString clearingLabelName(ClearLabel c); // "Label19"
QString clearingActionName(ClearLabel c); // "配偶者の入力をクリア"; empty for the "CE" heading

// "配偶者", "相続人 2", "相続人 3", "相続人 4", "受遺者" for persons 1..5.
QString columnHeading(int person);

// A field's caption and column, as a screen reader says it: "配偶者 相続・遺贈で取得した額".
QString fieldCaption(Field f, const LawEdition& law = statedLaw());
// An amount row's caption, its spacing blanks left out: "非課税財産の額(－)".
QString amountCaption(int row, const LawEdition& law);
// A result label's caption and column; its value stays its accessible name.
QString labelCaption(Label l, const LawEdition& law = statedLaw());

// Fixed captions, unit labels, frames and rules of the page under a law, the heading
// aside. Texts are the law's or fixed, and stay valid while the program runs.
std::vector<kz::ui::Control> fixedControls(const LawEdition& law);

} // namespace kz::tax::layout
