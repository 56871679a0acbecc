// SPDX-License-Identifier: MIT
#include "coefficients/tab_page.h"

#include "file_commands/file_commands.h"

#include "ui/app.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/entry_field.h"
#include "ui/print.h"
#include "ui/text_fit.h"
#include "ui/twips.h"

#include <QLabel>
#include <QLineEdit>

#include <span>

using namespace Qt::StringLiterals;

namespace kz::coef {

namespace {

using kz::Twips;
using kz::ui::qs;

// Headings and examples; a two-line example is one label of two lines.
struct Text {
    const char16_t* text;
    Twips left, top, width, height;
};

enum class RowStyle : std::uint8_t {
    Plain,
    Sentence, // "現在の [field] ％まで下落しています。": caption against a narrow field
};

// A field with its caption and unit; column 0 holds the inputs, column 1 the results.
struct Row {
    int field;
    int column;
    Twips top;
    RowStyle style = RowStyle::Plain;
};

// A calculate button or a "CE" label beside the row at `top`.
struct Spot {
    Calc calc;
    Twips top;
};

struct PageLayout {
    const char16_t* caption;
    int closeCommand; // the close button is CommandN
    std::span<const Text> texts;
    std::span<const Row> rows;
    std::span<const Spot> buttons;
    std::span<const Spot> clears;
};

// Columns, in twips across the tab control.
constexpr Twips kHeadingLeft = 240, kExampleLeft = 360, kTextWidth = 8175;
constexpr Twips kCaptionLeft[] = {360, 3840}, kCaptionWidth[] = {1380, 1440};
constexpr Twips kFieldLeft[] = {1800, 5340}, kFieldWidth = 1620, kNarrowFieldWidth = 840;
constexpr Twips kFieldHeight = 270, kUnitGap = 60;
constexpr Twips kButtonLeft = 7440, kButtonWidth = 1095, kButtonHeight = 375;
constexpr Twips kClearWidth = 735, kClearHeight = 255;
constexpr Twips kLine = 240;

// clang-format off
constexpr Text kTexts0[] = {
    {u"※ 【 終 価 係 数 】　現在の額から将来の額を求めるときに使用します。", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　100万円を年利率4％で10年間複利で運用したときの元利合計は？", kExampleLeft, 840, kTextWidth, kLine},
    {u"例 ：　物価上昇率を年1.6％とすると、10年後の物価は現在の何倍になりますか？", kExampleLeft, 2520, kTextWidth, kLine},
};
constexpr Row kRows0[] = {{0, 0, 1200}, {3, 1, 1200}, {1, 0, 1560}, {2, 0, 1920},
                          {4, 0, 2880}, {6, 1, 2880}, {5, 0, 3240}};
constexpr Spot kButtons0[] = {{Calc::FutureValue, 1200}, {Calc::PriceRise, 2880}};
constexpr Spot kClears0[] = {{Calc::FutureValue, 1920}, {Calc::PriceRise, 3240}};

constexpr Text kTexts1[] = {
    {u"※ 【 現 価 係 数 】  将来の額から運用率を考慮して、現在必要な額を求めるときに使います。", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　10年後に500万円が必要になります。年利3％で複利運用できた場合、今いくら預ければ\n"
     u"500万円になりますか。", kExampleLeft, 780, kTextWidth, 2 * kLine},
    {u"例 ：　土地の価格が下がっていて、毎年2％ずつ下がっています。このまま下がり続け場合、\n"
     u"10年後の土地の価格はいくらになっているか求めよ。", kExampleLeft, 2460, kTextWidth, 2 * kLine},
};
constexpr Row kRows1[] = {{7, 0, 1380}, {10, 1, 1380}, {8, 0, 1740}, {9, 0, 2100},
                          {11, 0, 3060}, {14, 1, 3060}, {12, 0, 3420}, {15, 1, 3420, RowStyle::Sentence},
                          {13, 0, 3780}};
constexpr Spot kButtons1[] = {{Calc::PresentValue, 1380}, {Calc::LandDecline, 3060}};
constexpr Spot kClears1[] = {{Calc::PresentValue, 2100}, {Calc::LandDecline, 3780}};

constexpr Text kTexts2[] = {
    {u"※ 【 減債基金係数 】  将来目標とする額を貯めるために必要な毎年の積立額を求めるときに使います。", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　10年後に100万円貯めたい。年利率3％で複利運用ができる場合、毎年いくらずつ\n"
     u"積み立てればよいか。", kExampleLeft, 780, kTextWidth, 2 * kLine},
};
constexpr Row kRows2[] = {{16, 0, 1380}, {19, 1, 1380}, {17, 0, 1740}, {18, 0, 2100}};
constexpr Spot kButtons2[] = {{Calc::SinkingFund, 2100}};
constexpr Spot kClears2[] = {{Calc::SinkingFund, 2100}};

constexpr Text kTexts3[] = {
    {u"※ 【 年金終価係数 】  毎年の積立額から将来の元利合計を求めます。", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　毎年10万円を10年間、年利3％の複利で積み立てたら10年後の元利合計はいくらですか。", kExampleLeft, 840, kTextWidth, kLine},
};
constexpr Row kRows3[] = {{20, 0, 1200}, {23, 1, 1200}, {21, 0, 1560}, {22, 0, 1920}};
constexpr Spot kButtons3[] = {{Calc::AnnuityFuture, 1920}};
constexpr Spot kClears3[] = {{Calc::AnnuityFuture, 1920}};

constexpr Text kTexts4[] = {
    {u"※ ① 【 資本回収係数 】  現在の額を運用しながら受け取れる額", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　1,000万円を年利3％で複利運用しながら、10年間にわたって年金として取り崩す場合\n"
     u"毎年受け取れる年金の額はいくらですか。", kExampleLeft, 780, kTextWidth, 2 * kLine},
    {u"② 【 資本回収係数 】  借り入れ額に対する利息を含めた毎年の返済額を求めるときに使用する。", kHeadingLeft, 2580, kTextWidth, kLine},
    {u"例 ：　2,000万円を年利5％で借りて、25年で返済する場合の毎年の返済額はいくらか。", kExampleLeft, 2880, kTextWidth, kLine},
};
constexpr Row kRows4[] = {{24, 0, 1320}, {27, 1, 1320}, {25, 0, 1680}, {26, 0, 2040},
                          {28, 0, 3240}, {31, 1, 3240}, {29, 0, 3600}, {30, 0, 3960}};
constexpr Spot kButtons4[] = {{Calc::Withdrawal, 1680}, {Calc::LoanRepayment, 3600}};
constexpr Spot kClears4[] = {{Calc::Withdrawal, 2040}, {Calc::LoanRepayment, 3960}};

constexpr Text kTexts5[] = {
    {u"※ 【 年金現価係数 】  希望する年金額を受け取りために必要な、年金原資を求めるときに使用します。", kHeadingLeft, 480, kTextWidth, kLine},
    {u"例 ：　毎年100万円の年金を10年間受け取りたい。年利率3％で複利運用できる場合\n"
     u"いくらの原資が必要か求めよ。", kExampleLeft, 780, kTextWidth, 2 * kLine},
};
constexpr Row kRows5[] = {{32, 0, 1380}, {35, 1, 1380}, {33, 0, 1740}, {34, 0, 2100}};
constexpr Spot kButtons5[] = {{Calc::AnnuityPresent, 1740}};
constexpr Spot kClears5[] = {{Calc::AnnuityPresent, 2100}};

constexpr PageLayout kPages[kTabCount] = {
    {u"終価係数", 3,  kTexts0, kRows0, kButtons0, kClears0},
    {u"現価係数", 6,  kTexts1, kRows1, kButtons1, kClears1},
    {u"減債基金", 15, kTexts2, kRows2, kButtons2, kClears2},
    {u"年金終価", 9,  kTexts3, kRows3, kButtons3, kClears3},
    {u"資本回収", 12, kTexts4, kRows4, kButtons4, kClears4},
    {u"年金現価", 14, kTexts5, kRows5, kButtons5, kClears5},
};
// clang-format on

// "元利合計の計算": the calculation a control belongs to, as a screen reader says it.
QString calcTitle(Calc c) { return qs(calc(c).name) + u"の計算"_s; }

// A field's name tells the tab, the calculation and the caption, since captions such as
// "年　数" recur on one tab: "終価係数 物価上昇率の計算 年数".
QString fieldTitle(const QString& tab, const FieldInfo& f)
{
    QString caption = qs(f.caption);
    caption.remove(u' ').remove(u'\u3000');
    return tab + u' ' + calcTitle(f.calc) + u' ' + caption;
}

// `described`: what a screen reader says about a result beside its value.
QLineEdit* makeField(int index, const QString& tab, const QString& described, QWidget* parent)
{
    const FieldInfo& f = field(index);
    QLineEdit* edit = nullptr;
    if (f.kind == FieldKind::Result) {
        // Results can be read and copied but not typed into, and the Tab key passes them by.
        edit = new QLineEdit(parent);
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
        edit->setAccessibleDescription(described);
        kz::ui::fitText(edit);
    } else {
        auto* entry = new kz::ui::EntryField(parent);
        entry->setInputMethodAllowed(keepsInputMethod(index));
        edit = entry;
    }
    edit->setObjectName(u"Num1(%1)"_s.arg(index));
    edit->setAccessibleName(fieldTitle(tab, f));
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setText(qs(f.initial));
    QPalette pal = edit->palette();
    const QColor base = QColor::fromRgb(f.kind == FieldKind::Result ? kz::ui::kPaleYellow : kz::ui::kWhite);
    pal.setColor(QPalette::Base, base);
    pal.setColor(QPalette::Disabled, QPalette::Base, base);
    edit->setPalette(pal);
    return edit;
}

} // namespace

QString tabCaption(int tab) { return QString::fromUtf16(kPages[tab].caption); }

TabPage::TabPage(int tab, Controls& controls, QWidget* parent)
    : QWidget(parent)
    , canvas_(new QWidget(this))
{
    const PageLayout& page = kPages[tab];
    const QString caption = tabCaption(tab);
    canvas_->setGeometry(kz::ui::twipsRect(0, 0, 8775, 5655));

    auto* shape = new QWidget(canvas_);
    shape->setObjectName(u"Shape%1"_s.arg(tab + 1));
    shape->setGeometry(kz::ui::twipsRect(120, 360, 8535, 5175));
    kz::ui::setBackground(shape, kz::ui::kWhite);
    // The texts and fields stand on the shape, not in it.
    kz::ui::setTextColoursOn(canvas_, kz::ui::kWhite);

    for (const Text& t : page.texts)
        kz::ui::makeLabel(QString::fromUtf16(t.text), t.left, t.top, t.width, t.height, canvas_);

    for (const Row& row : page.rows) {
        const FieldInfo& f = field(row.field);
        const int c = row.column;
        const bool sentence = row.style == RowStyle::Sentence;
        const Qt::Alignment captionAlign = (sentence ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        kz::ui::makeLabel(qs(f.caption), kCaptionLeft[c], row.top, kCaptionWidth[c], kFieldHeight, canvas_,
                          captionAlign);
        // A sentence reads around its field: "現在の…％まで下落しています。"
        const QString described = sentence ? qs(f.caption) + u'…' + qs(f.unit) : qs(f.caption);
        QLineEdit* edit = makeField(row.field, caption, described, canvas_);
        const Twips width = sentence ? kNarrowFieldWidth : kFieldWidth;
        edit->setGeometry(kz::ui::twipsRect(kFieldLeft[c], row.top, width, kFieldHeight));
        controls.Num1[static_cast<std::size_t>(row.field)] = edit;
        QLabel* unit =
            kz::ui::makeLabel(qs(f.unit), kFieldLeft[c] + width + kUnitGap, row.top, 0, kFieldHeight, canvas_);
        unit->resize(unit->sizeHint().width(), unit->height());
    }

    for (const Spot& s : page.buttons) {
        const CalcInfo& ci = calc(s.calc);
        auto* button = new kz::ui::CommandButton(qs(ci.button), canvas_);
        button->setObjectName(u"Command%1"_s.arg(ci.command));
        // Two buttons of a tab share the caption "計　算"; the name tells which.
        button->setAccessibleName(u"計算（%1）"_s.arg(qs(ci.name)));
        button->setGeometry(kz::ui::twipsRect(kButtonLeft, s.top - (kButtonHeight - kFieldHeight) / 2,
                                              kButtonWidth, kButtonHeight));
        controls.calculate[static_cast<std::size_t>(indexOf(s.calc))] = button;
    }

    for (const Spot& s : page.clears) {
        const int i = indexOf(s.calc);
        auto* ce = new kz::ui::ActionBox(u"CE"_s, canvas_);
        ce->setObjectName(u"Label2(%1)"_s.arg(i));
        ce->setAlignment(Qt::AlignCenter);
        ce->setFrameShape(QFrame::Box);
        ce->setGeometry(kz::ui::twipsRect(kFieldLeft[1] + kFieldWidth - kClearWidth,
                                          s.top + (kFieldHeight - kClearHeight) / 2, kClearWidth, kClearHeight));
        kz::ui::setBackground(ce, kz::ui::kLightCyan);
        ce->setAccessibleName(calcTitle(s.calc) + u"をクリア"_s);
        controls.Label2[static_cast<std::size_t>(i)] = ce;
    }

    auto* printer = kz::ui::makePrintIcon(240, 5040, canvas_);
    printer->setObjectName(u"Picture1(%1)"_s.arg(tab));
    printer->setAccessibleName(u"画面を印刷"_s);
    // A click takes the focus too, so the field under edit is stored before the print.
    printer->setFocusPolicy(Qt::StrongFocus);
    controls.Picture1[static_cast<std::size_t>(tab)] = printer;

    // The report's commands stand in the free part of the bottom row, between the printer
    // and "閉じる", so that they cover nothing of the page.
    struct ExtraSpot {
        Twips left, width;
    };
    // The case file's commands too, the row's five narrowed to make room for them.
    constexpr ExtraSpot kExtras[std::size(kz::files::kCommands)] = {{840, 960}, {1890, 1290}, {3270, 1680}, {5040, 780},
                                                                    {5910, 780}};
    for (std::size_t i = 0; i < std::size(kExtras); ++i) {
        const kz::files::CommandInfo& command = kz::files::kCommands[i];
        auto* b = new kz::ui::CommandButton(QString::fromUtf16(command.caption), canvas_);
        b->setObjectName(u"%1(%2)"_s.arg(QString::fromUtf16(command.name)).arg(tab));
        b->setAccessibleName(caption + u' ' + QString(b->text()).remove(u'…'));
        b->setGeometry(kz::ui::twipsRect(kExtras[i].left, 5040, kExtras[i].width, 375));
        controls.extra[static_cast<std::size_t>(tab)][i] = b;
    }

    auto* close = new kz::ui::CommandButton(u"閉じる"_s, canvas_);
    close->setObjectName(u"Command%1"_s.arg(page.closeCommand));
    close->setGeometry(kz::ui::twipsRect(6840, 5040, 1695, 375));
    controls.close[static_cast<std::size_t>(tab)] = close;

    for (const Spot& s : page.buttons) {
        const CalcInfo& ci = calc(s.calc);
        for (int f = ci.first; f <= ci.last; ++f)
            if (isInput(f))
                tabOrder_ << controls.Num1[static_cast<std::size_t>(f)];
        tabOrder_ << controls.calculate[static_cast<std::size_t>(indexOf(s.calc))];
    }
    tabOrder_ << close;
    // The boxes that act come after that, the "CE" boxes top to bottom, then the printer.
    for (const Spot& s : page.clears)
        tabOrder_ << controls.Label2[static_cast<std::size_t>(indexOf(s.calc))];
    tabOrder_ << printer;
    for (kz::ui::CommandButton* b : controls.extra[static_cast<std::size_t>(tab)])
        tabOrder_ << b;
}

void TabPage::alignTo(const QWidget* tabControl) { canvas_->move(-mapTo(tabControl, QPoint(0, 0))); }

} // namespace kz::coef
