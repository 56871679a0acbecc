// SPDX-License-Identifier: MIT
#include "tax_sheet/sheet_layout.h"

#include "core/tax_sheet/figures.h"
#include "ui/app.h"

#include <algorithm>
#include <array>
#include <deque>
#include <string>
#include <iterator>

using namespace Qt::StringLiterals;

namespace kz::tax::layout {

using kz::ui::Control;
using kz::ui::Kind;

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr Qt::Alignment kTopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr qreal kSmall = 8;  // notes and units
constexpr QRgb kRuleGrey = kz::ui::rgb(160, 160, 160);

// Persons' columns: amount fields, their taxable values and their payable taxes.
constexpr std::array<Twips, 5> kColumn{2640, 4200, 5760, 7320, 8880};
constexpr std::array<Twips, 6> kRowTop{840, 1080, 1320, 1560, 1800, 2040};
// The share fractions and the result rows 1..4 under them.
constexpr std::array<Twips, 5> kShareLeft{4320, 5520, 6600, 7680, 8760};
constexpr Twips kNumeratorTop = 3645;
constexpr Twips kDenominatorTop = 3960;
constexpr std::array<Twips, 5> kShareColumn{4080, 5160, 6240, 7320, 8400};
constexpr std::array<Twips, 4> kShareRowTop{4320, 4560, 4920, 5280};
constexpr std::array<Twips, 3> kYearsTop{7800, 8040, 8280};
constexpr Twips kTaxableTop = 2400;
constexpr Twips kNoteStep = 195;
constexpr Twips kNotesEnd = 6405;      // under the last of the sheet's own notes
constexpr Twips kSpouseTop = 6420;     // the spouse's block, when no law's note stands above it
constexpr Twips kSpouseBottom = 7335;
constexpr Twips kPayableTop = 8880;

constexpr std::array<const char16_t*, 5> kHeading{u"配偶者", u"相続人 2", u"相続人 3", u"相続人 4", u"受遺者"};
constexpr std::array<const char16_t*, 6> kRowCaption{
    u"相続・遺贈で取得した額", u"みなし相続財産の額(＋)", u"非課税財産の額　　(－)",
    u"継承した債務の額",       u"葬式費用の負担額",       nullptr, // the law's gift row
};
// The figures' captions (figures.h) as the sheet prints them: indented by a full-width blank,
// a formula set apart, amounts in (千円). Made once and kept, to stand in the control table.
const char16_t* onSheet(const std::string& text)
{
    static std::deque<std::u16string> made;
    return made.emplace_back(QString::fromStdString(text).toStdU16String()).c_str();
}
std::string indented(const SheetFigure& f)
{
    return "　" + std::string(f.caption) + (f.formula.empty() ? "" : "　" + std::string(f.formula));
}
const std::array<const char16_t*, 5> kPersonLabelCaption = [] {
    std::array<const char16_t*, 5> out{};
    for (std::size_t i = 0; i < out.size(); ++i) {
        const PersonFigure& f = kPersonFigures[i];
        out[i] = onSheet((i == 0 ? "　" : "") + std::string(f.caption) + (i > 0 && f.thousands ? "(千円)" : ""));
    }
    return out;
}();
const std::array<const char16_t*, 9> kSheetLabelCaption{
    onSheet(indented(kTotalTaxable)),
    u"",
    nullptr, // ③: the law's formula
    onSheet(indented(kTaxableEstate)),
    onSheet(indented(kTotalTax)),
    onSheet(std::string(kSpouseReduction.caption) + "計算"),
    onSheet(QString::fromUtf16(kHeading[1]).toStdString() + " " + std::string(kMinorDeduction.caption)),
    onSheet(QString::fromUtf16(kHeading[2]).toStdString() + " " + std::string(kMinorDeduction.caption)),
    onSheet(QString::fromUtf16(kHeading[3]).toStdString() + " " + std::string(kMinorDeduction.caption)),
};
constexpr const char16_t* kPayableCaption = u"各　人　の　納 付 税 額";

struct ClearingRow {
    ClearLabel label;
    const char16_t* caption;
    Twips top;
    const char16_t* action; // what a screen reader calls the box
};
// "CE" heads the column and clears nothing: a heading, not a control.
constexpr ClearingRow kClearing[] = {
    {ClearLabel::Label7, u"CE", 3360, u""},
    {ClearLabel::Label19, u"配偶者", 3600, u"配偶者の入力をクリア"},
    {ClearLabel::Label20, u"相続人2", 3840, u"相続人2の入力をクリア"},
    {ClearLabel::Label21, u"相続人3", 4080, u"相続人3の入力をクリア"},
    {ClearLabel::Label22, u"相続人4", 4320, u"相続人4の入力をクリア"},
    {ClearLabel::Label16, u"受遺者", 4560, u"受遺者の入力をクリア"},
    {ClearLabel::Label13, u"相続分", 4920, u"相続分をクリア"},
    {ClearLabel::Label14, u"未成年者", 5160, u"未成年者の年数をクリア"},
    {ClearLabel::Label15, u"AC", 5520, u"すべてクリア"},
};

// The captions that stand once on the sheet. Blocks are framed like the boxes of a
// printed tax form; the generated rows (column heads, units, input frames) follow below.
const Control kCaptions[] = {
    // 各人の課税価格の算出: six amount rows per person and their taxable value ①.
    {Kind::Frame, u"", 60, 540, 10440, 2190},
    {Kind::Label, u"各人の課税価格の算出", 120, 570, 2460, 255, kLeft, 0, 0, 0, true},
    {Kind::Label, kRowCaption[0], 120, 840, 2460, 270},
    {Kind::Label, kRowCaption[1], 120, 1080, 2460, 270},
    {Kind::Label, kRowCaption[2], 120, 1320, 2460, 270},
    {Kind::Label, u"債務控除", 120, 1560, 810, 270, kCentre},
    {Kind::Label, u"(－)", 120, 1800, 810, 270, kCentre},
    {Kind::Line, u"", 960, 1590, 0, 420},
    {Kind::Line, u"", 960, 1590, 60, 0},
    {Kind::Line, u"", 960, 2010, 60, 0},
    {Kind::Label, kRowCaption[3], 1050, 1560, 1560, 270},
    {Kind::Label, kRowCaption[4], 1050, 1800, 1560, 270},
    {Kind::Line, u"", 60, 2355, 10440, 0},
    {Kind::Label, kPersonLabelCaption[0], 120, 2400, 2460, 255},

    // ② total, heir count and ③ basic deduction.
    {Kind::Frame, u"", 60, 2715, 10440, 615},
    {Kind::Label, kSheetLabelCaption[0], 120, 2760, 2460, 240},
    {Kind::Label, u"　法定相続人数", 2640, 3000, 1290, 255, kRight},
    {Kind::Label, u" 人", 4470, 3000, 420, 255},
    {Kind::Label, u"基礎控除額", 4920, 3000, 1050, 255, kRight},
    // Two lines, broken after "法定相続分".
    {Kind::Label, u"※ 相続放棄の相続人の法定相続分も計算に含めます", 7920, 2745, 2550, 570, kLeft, 0, 0, kSmall},

    // 各人の相続税額の算出: ④ and ⑤ down the left, the shares and their taxes beside them.
    {Kind::Frame, u"", 60, 3315, 9480, 2280},
    {Kind::Line, u"", 2610, 3315, 0, 2280},
    {Kind::Label, kSheetLabelCaption[3], 90, 3360, 2520, 240},
    {Kind::Label, kSheetLabelCaption[4], 120, 4320, 2460, 240},
    {Kind::Label, u"各人の相続税額の算出", 2655, 3360, 1650, 240, kLeft, 0, 0, 7.5, true},
    {Kind::Label, u"法定相続分", 2655, 3645, 1425, 585},
    {Kind::Line, u"", 2610, 4275, 6930, 0, kLeft, 0, kRuleGrey},
    {Kind::Label, kPersonLabelCaption[1], 2655, 4320, 1425, 255},
    {Kind::Label, kPersonLabelCaption[2], 2655, 4560, 1425, 255},
    {Kind::Line, u"", 2610, 4867, 6930, 0, kLeft, 0, kRuleGrey},
    {Kind::Label, kPersonLabelCaption[3], 2655, 4920, 1425, 255},
    {Kind::Line, u"", 2610, 5227, 6930, 0, kLeft, 0, kRuleGrey},
    {Kind::Label, kPersonLabelCaption[4], 2655, 5280, 1425, 255},

    // What the sheet computes and what it leaves to the adviser; a law's own note follows.
    {Kind::Label, u"※ 計算シートでは受遺者の２割加算、配偶者の税額軽減、未成年者控除が計算できます。", 120, 5625, 8340,
     kNoteStep, kLeft, 0, 0, kSmall},
    {Kind::Label, u"※ 修正項目：２割加算、税額控除（贈与税額控除、配偶者の税額軽減、未成年者控除、", 120, 5820, 8340,
     kNoteStep, kLeft, 0, 0, kSmall},
    {Kind::Label, u"障害者控除、相次相続控除、外国税額控除）があります。", 1080, 6015, 7380, kNoteStep, kLeft, 0, 0, kSmall},
    {Kind::Label, u"このシートはあくまで概算ですので、申告は税理士にご相談ください。", 120, 6210, 8340, kNoteStep, kLeft, 0,
     0, kSmall},

    // 受遺者の２割加算計算, above the button at the legatee's side of the sheet.
    {Kind::Frame, u"", 8520, 5850, 1980, 1485},
    {Kind::Label, u"受遺者の２割加算計算", 8580, 5895, 1890, 240, kLeft, 0, 0, 0, true},
    {Kind::Label, u"　受遺者の相続税額の120％　と　①の課税価格×70％　の少ない方を納付税額とする。", 8580, 6165, 1860,
     1110, kTopLeft, 0, 0, kSmall},

    // The minors' rows; their heading and amount per year are the law's.
    {Kind::Frame, u"", 60, 7380, 8400, 1200},
    {Kind::Label, kSheetLabelCaption[6], 240, 7800, 2880, 255},
    {Kind::Label, kSheetLabelCaption[7], 240, 8040, 2880, 255},
    {Kind::Label, kSheetLabelCaption[8], 240, 8280, 2880, 255},
    {Kind::Label, u"年", 5220, 7800, 300, 255},
    {Kind::Label, u"年", 5220, 8040, 300, 255},
    {Kind::Label, u"年", 5220, 8280, 300, 255},

    // 各人の納付税額.
    {Kind::Frame, u"", kPayableRow.left, kPayableRow.top, kPayableRow.width, kPayableRow.height},
    {Kind::Label, kPayableCaption, 120, 8880, 2460, 255, kLeft, 0, 0, 0, true},
};

Control unit(Twips left, Twips top, Twips height = 255)
{
    return {Kind::Label, u"千円", left, top, 420, height, kLeft, 0, 0, kSmall};
}

Control heading(int person, Twips left, Twips top)
{
    return {Kind::Label, kHeading[static_cast<std::size_t>(person - 1)], left, top, 1095, 240, kCentre};
}

// Input places are ringed with a heavy frame, as the help window describes the sheet.
Control inputFrame(Twips left, Twips top, Twips width, Twips height)
{
    return {Kind::Frame, u"", left - 30, top - 30, width + 60, height + 60, kLeft, 0, 0, 0, false, 2};
}

const char16_t* rowCaption(int row, const LawEdition& law)
{
    return row == 5 ? law.giftRowCaption : kRowCaption.at(static_cast<std::size_t>(row));
}

// Full-width blanks only space the printed captions out; a screen reader does not need them.
QString spoken(const char16_t* caption)
{
    QString s = QString::fromUtf16(caption);
    s.remove(QChar(u'\u3000'));
    return s;
}

} // namespace

Rect surchargeRect(int person) { return {120, 4875 + 240 * (person - 2), 2460, 240}; }

Rect fieldRect(Field f)
{
    switch (f.array) {
    case FieldArray::Num6: return {3960, 3000, 495, 255};
    case FieldArray::Num7:
        if (f.index >= 5)
            return {4680, kYearsTop.at(static_cast<std::size_t>(f.index - 5)), 495, 255};
        return {kShareLeft.at(static_cast<std::size_t>(f.index)), kNumeratorTop, 495, 270};
    case FieldArray::Num8: return {kShareLeft.at(static_cast<std::size_t>(f.index)), kDenominatorTop, 495, 270};
    default:
        return {kColumn.at(static_cast<std::size_t>(personOf(f) - 1)), kRowTop.at(static_cast<std::size_t>(f.index)),
                1095, 270};
    }
}

Rect labelRect(Label l)
{
    const auto i = static_cast<std::size_t>(l.index);
    if (l.array == LabelArray::LNum6) {
        static constexpr std::array<Rect, 6> kSheet{{
            {120, 3000, 2055, 255},
            {9960, 3000, 495, 255}, // hidden: only the clearing writes it
            {6000, 3000, 1455, 255},
            {120, 3600, 2055, 255},
            {120, 4560, 2055, 255},
            {120, 6960, 2055, 255},
        }};
        if (i < kSheet.size())
            return kSheet[i];
        return {7080, kYearsTop.at(i - kSheet.size()), 975, 255};
    }
    const auto p = static_cast<std::size_t>(l.array);
    if (i == 0)
        return {kColumn.at(p), kTaxableTop, 1095, 255};
    if (i == 5)
        return {kColumn.at(p), kPayableTop, 1095, 255};
    return {kShareColumn.at(p), kShareRowTop.at(i - 1), 1095, 255};
}

Rect clearingLabelRect(ClearLabel c)
{
    for (const ClearingRow& row : kClearing)
        if (row.label == c)
            return {9600, row.top, 855, 255};
    return {};
}

const char16_t* clearingCaption(ClearLabel c)
{
    for (const ClearingRow& row : kClearing)
        if (row.label == c)
            return row.caption;
    return u"";
}

QString clearingActionName(ClearLabel c)
{
    for (const ClearingRow& row : kClearing)
        if (row.label == c)
            return QString::fromUtf16(row.action);
    return {};
}

QString clearingLabelName(ClearLabel c)
{
    static constexpr std::array<int, 9> kNumber{7, 19, 20, 21, 22, 16, 13, 14, 15};
    return u"Label"_s + QString::number(kNumber.at(static_cast<std::size_t>(c)));
}

QString columnHeading(int person) { return QString::fromUtf16(kHeading.at(static_cast<std::size_t>(person - 1))); }

QString fieldCaption(Field f, const LawEdition& law)
{
    switch (f.array) {
    case FieldArray::Num6: return u"法定相続人数"_s;
    case FieldArray::Num7:
        if (f.index >= 5)
            return columnHeading(f.index - 3) + u' ' + QString::fromUtf16(yearsCaption(law));
        return columnHeading(f.index + 1) + u" 法定相続分の分子"_s;
    case FieldArray::Num8: return columnHeading(f.index + 1) + u" 法定相続分の分母"_s;
    default: return columnHeading(personOf(f)) + u' ' + spoken(rowCaption(f.index, law));
    }
}

QString amountCaption(int row, const LawEdition& law) { return spoken(rowCaption(row, law)); }

QString labelCaption(Label l, const LawEdition& law)
{
    const auto i = static_cast<std::size_t>(l.index);
    if (l.array == LabelArray::LNum6)
        return spoken(l.index == 2 ? law.basicCaption : kSheetLabelCaption.at(i));
    const QString column = columnHeading(static_cast<int>(l.array) + 1) + u' ';
    if (i == 5)
        return column + kz::ui::qs(personFigure(PersonRow::Payable).caption);
    return column + spoken(kPersonLabelCaption.at(i));
}

QString heading(const LawEdition& law) { return u"相続税額計算シート　"_s + QString::fromUtf16(law.name); }

std::vector<Control> fixedControls(const LawEdition& law)
{
    std::vector<Control> out(std::begin(kCaptions), std::end(kCaptions));
    out.push_back({Kind::Label, law.giftRowCaption, 120, 2040, 2460, 270});
    out.push_back({Kind::Label, law.basicCaption, 2400, 2760, 5505, 240});

    // A law's own note stands under the sheet's notes; the spouse's block makes room for
    // it above its fixed reduction label, and its fraction keeps inside the frame.
    Twips spouseTop = kSpouseTop;
    if (law.giftNote) {
        out.push_back({Kind::Label, law.giftNote, 120, kNotesEnd, 8340, kNoteStep, kLeft, 0, 0, kSmall});
        spouseTop = kNotesEnd + kNoteStep + 15;
    }
    const Twips rule = std::min<Twips>(6870 + spouseTop - kSpouseTop, kSpouseBottom - 300);
    // 配偶者の税額軽減額計算: the reduction beside its formula, written as a fraction.
    out.push_back({Kind::Frame, u"", 60, spouseTop, 8400, kSpouseBottom - spouseTop});
    out.push_back({Kind::Label, kSheetLabelCaption[5], 120, spouseTop + 30, 2460, 240, kLeft, 0, 0, 0, true});
    out.push_back({Kind::Label, u"相続税の総額×", 2520, rule - 120, 1260, 240, kRight});
    // Just wide enough for the numerator to break after "ほう、".
    out.push_back({Kind::Label, u"（課税価格の法定相続分と各人の課税価格①の少ないほう、1.6億以下なら1.6億）", 3840, rule - 405,
                   4245, 390, kCentre, 0, 0, kSmall});
    out.push_back({Kind::Line, u"", 3840, rule, 4245, 0});
    out.push_back({Kind::Label, u"課税価格", 3840, rule + 30, 4245, 240, kCentre});

    // The minors' rows: years to the law's age times its amount per year.
    out.push_back({Kind::Label, yearsCaption(law), 3600, 7500, 2655, 255, kCentre});
    for (const Twips top : kYearsTop)
        out.push_back({Kind::Label, law.minorRate, 5520, top, 1440, 255});

    for (int p = 1; p <= kPersons; ++p) {
        const Twips column = kColumn.at(static_cast<std::size_t>(p - 1));
        out.push_back(heading(p, column, 570));
        out.push_back(heading(p, kShareColumn.at(static_cast<std::size_t>(p - 1)), 3360));
        out.push_back(heading(p, column, 8625));
        for (const Twips top : kRowTop)
            out.push_back(unit(column + 1110, top, 270));
        out.push_back(unit(column + 1110, kTaxableTop));
        out.push_back(unit(column + 1110, kPayableTop));
        out.push_back(inputFrame(column, kRowTop.front(), 1095, kRowTop.back() + 270 - kRowTop.front()));
    }
    for (const Twips top : {3000, 3600, 4560, 6960})
        out.push_back(unit(2190, top));
    out.push_back(unit(7470, 3000));
    for (const Twips top : kYearsTop)
        out.push_back(unit(8070, top));

    out.push_back(inputFrame(3960, 3000, 495, 255));
    for (const Twips left : kShareLeft) {
        out.push_back(inputFrame(left, kNumeratorTop, 495, kDenominatorTop + 270 - kNumeratorTop));
        out.push_back({Kind::Line, u"", left - 30, 3937, 555, 0});
    }
    out.push_back(inputFrame(4680, kYearsTop.front(), 495, kYearsTop.back() + 255 - kYearsTop.front()));
    return out;
}

} // namespace kz::tax::layout
