// SPDX-License-Identifier: MIT
#include "tax_sheet/reference_panels.h"

#include "ui/controls.h"
#include "ui/twips.h"

#include <QLabel>

#include <algorithm>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::tax {

using kz::ui::Control;
using kz::ui::Kind;

namespace {

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentre = Qt::AlignCenter;
constexpr QRgb kLeadGrey = kz::ui::rgb(128, 128, 128);

// One line of the chart, top to bottom: a deadline at the far left, an event boxed on
// the timeline, an arrow back to the timeline, and a task or note on the right.
struct ChartRow {
    Twips top;
    const char16_t* deadline;
    const char16_t* event;
    bool arrow;
    const char16_t* task;
    Twips taskLeft = 3960;
    const char16_t* aside = nullptr; // a second note beside the task, at x = 6120
};

constexpr ChartRow kChart[] = {
    {1245, nullptr, u"相続人の死亡（相続の開始）", false, nullptr},
    {1680, nullptr, nullptr, true, u"関係者への連絡"},
    {1950, nullptr, u"通　夜", false, nullptr},
    {2280, nullptr, nullptr, true, u"死亡の届出をする　（7日以内に死亡診断書を付けて市区町村に提出）"},
    {2550, nullptr, u"葬　儀", false, nullptr},
    {3030, nullptr, u"初七日法要", false, nullptr},
    {3360, nullptr, nullptr, true, u"遺言書の有無の確認　（遺言書によっては家庭裁判所の検認が必要）"},
    {3750, nullptr, u"香典返し", false, u"（葬儀の費用には含まれません ： 四十九日忌法要の頃）", 3720},
    {4080, u"３ヶ月以内", nullptr, true, u"相続人を確認するため被相続人の戸籍謄本を取寄せる"},
    {4440, nullptr, nullptr, true, u"経営者の場合は、事業関係の承継の手続きをする"},
    {4800, nullptr, nullptr, true, u"生命保険の請求をする"},
    {5160, nullptr, nullptr, true, u"遺族年金等の手続きをする"},
    {5520, nullptr, u"四十九日忌法要", false, u"( 納 骨 )", 3720},
    {5640, u"４ヶ月以内", nullptr, false, nullptr},
    {5880, nullptr, nullptr, true, u"相続財産や債務を把握し相続の放棄をするかどうかをきめる"},
    {6190, nullptr, u"相続の放棄・限定承認", false, u"（家庭裁判所に申述します）", 3960,
     u"※相続放棄や限定承認の手続きは相続開始を知った日から3ヶ月以内に行わなければなりません。"},
    {6780, nullptr, u"所得税の申告と納付", false, u"（被相続人が死亡するまでの所得を税務署に申告します。）"},
    {7200, nullptr, nullptr, true, u"遺産の分割協議書等、相続税の申告ができるようにしておく"},
    {7440, u"10ヶ月以内", nullptr, false, nullptr},
    {7560, nullptr, nullptr, true, u"相続税の申告書の作成"},
    {8040, nullptr, nullptr, false, u"（被相続人の死亡したときの住所地の税務署に申告・納税をします）", 4800},
    {8100, nullptr, u"相続税の申告と納付", false, nullptr},
    {8280, nullptr, nullptr, false, u"※延納、物納の場合の申請もこの時期に行います。", 4800},
    {8640, nullptr, nullptr, true, u"遺産の名義変更をします。"},
};

constexpr Control kChartHead[] = {
    {Kind::Label, u"【相続開始後の手続き】", 120, 120, 6000, 330, kLeft, 0, 0, 12, true},
    {Kind::Label, u"■ 相続が発生した場合に、どのようなことをしなければならないのかを順を追って解説します。", 120, 480,
     10455, 270},
    {Kind::Label,
     u"※死亡届け、相続の放棄・限定承認、所得税の申告と納付、相続税の申告と納付については、法律で時期が定められています。",
     120, 840, 10455, 270},
};

constexpr Twips kChartWidth = 10695;
constexpr Twips kChartHeight = 9375;
constexpr Twips kTimeline = 2010;    // centre of the event boxes and of the bar joining them
constexpr Twips kBoxHeight = 300;
constexpr Twips kBoxMinWidth = 1860;
constexpr Twips kRowHeight = 240;

// 贈与税の速算表: title, column heads, the brackets, then the notes one per line. A law
// with more rows than the panel's first height holds takes compact rows and grows the
// panel upward into the free part of the command column, up to the case file's commands.
struct GiftMetrics {
    Twips row, noteStep, notesGap;
};
constexpr GiftMetrics kGiftRoomy{240, 270, 60};
constexpr GiftMetrics kGiftCompact{190, 190, 40};
constexpr Twips kGiftColumn[] = {60, 1260, 1740, 2475}; // edges of 課税価格 | 税率 | 控除額
constexpr Twips kGiftWidth = 2535;
constexpr Twips kGiftMinHeight = 3855;
constexpr Twips kGiftHeadTop = 360;
constexpr qreal kGiftTextSize = 8;
constexpr qreal kGiftNoteSize = 7.5;

void addRow(std::vector<Control>& out, Twips top, Twips height, const char16_t* a, const char16_t* b,
            const char16_t* c)
{
    const char16_t* texts[] = {a, b, c};
    for (int i = 0; i < 3; ++i)
        out.push_back({Kind::Label, texts[i], kGiftColumn[i], top, kGiftColumn[i + 1] - kGiftColumn[i], height,
                       kCentre, 0, 0, kGiftTextSize});
}

// The panel's controls under a law, and the height they need.
Twips giftTable(const kz::tax::LawEdition& law, const GiftMetrics& m, std::vector<Control>& table)
{
    const Twips right = kGiftColumn[3] - kGiftColumn[0];
    table.push_back({Kind::Label, u"贈与税の速算表", 60, 60, 2415, 270, kCentre, 0, 0, 0, true});
    addRow(table, kGiftHeadTop, m.row, u"課税価格", u"税率", u"控除額");
    Twips top = kGiftHeadTop + m.row;
    // The column rules stop at a title row, which spans the table.
    std::vector<std::pair<Twips, Twips>> columnRuns;
    Twips runFrom = kGiftHeadTop;
    for (const kz::tax::GiftTable& t : law.giftTaxTables) {
        if (t.title) {
            columnRuns.emplace_back(runFrom, top);
            table.push_back({Kind::Line, u"", kGiftColumn[0], top, right, 0});
            table.push_back({Kind::Label, t.title, kGiftColumn[0], top, right, m.row, kCentre, 0, 0, kGiftTextSize,
                             true});
            top += m.row;
            runFrom = top;
        }
        bool first = true;
        for (const kz::tax::GiftBracket& b : t.brackets) {
            table.push_back({Kind::Line, u"", kGiftColumn[0], top, right, 0, kLeft, 0, first ? 0 : kLeadGrey});
            addRow(table, top, m.row, b.price, b.rate, b.deduction);
            top += m.row;
            first = false;
        }
    }
    columnRuns.emplace_back(runFrom, top);
    table.push_back({Kind::Frame, u"", kGiftColumn[0], kGiftHeadTop, right, top - kGiftHeadTop});
    for (const auto& [from, to] : columnRuns)
        for (const Twips x : {kGiftColumn[1], kGiftColumn[2]})
            table.push_back({Kind::Line, u"", x, from, 0, to - from});

    // The notes start where the stated panel put them, or under a longer table.
    top = std::max<Twips>(2100, top + m.notesGap);
    for (const char16_t* note : law.giftTaxNotes) {
        table.push_back({Kind::Label, note, 60, top, 2415, m.noteStep, kLeft, 0, 0, kGiftNoteSize});
        top += m.noteStep;
    }
    return top + 60;
}

} // namespace

ProceduresChart::ProceduresChart(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"Picture2"_s);
    resize(kz::ui::twipsSize(kChartWidth, kChartHeight));
    kz::ui::setBackground(this, kz::ui::kWhite);
    kz::ui::buildControls(kChartHead, this);

    // The bar runs from the first event to the last, behind the boxes.
    Twips firstEvent = 0, lastEvent = 0;
    for (const ChartRow& row : kChart) {
        if (!row.event)
            continue;
        if (!firstEvent)
            firstEvent = row.top;
        lastEvent = row.top;
    }
    kz::ui::buildControl({Kind::Line, u"", kTimeline - 22, firstEvent + kBoxHeight / 2, 0,
                          lastEvent - firstEvent, kLeft, 0, 0, 0, false, 3},
                         this);

    // A grey lead from each deadline to the point of the timeline it marks, behind the boxes too.
    for (const ChartRow& row : kChart)
        if (row.deadline)
            kz::ui::buildControl({Kind::Line, u"", 1050, row.top + kRowHeight / 2, kTimeline - 1050, 0, kLeft, 0,
                                  kLeadGrey},
                                 this);

    const QFontMetrics metrics(font());
    for (const ChartRow& row : kChart) {
        if (row.deadline)
            kz::ui::buildControl({Kind::Label, row.deadline, 120, row.top, 930, kRowHeight, kLeft, 0, 0, 0, true}, this);
        if (row.event) {
            const Twips textWidth = metrics.horizontalAdvance(QString::fromUtf16(row.event)) * 15 + 240;
            const Twips width = std::max(kBoxMinWidth, textWidth);
            kz::ui::buildControl({Kind::Box, row.event, kTimeline - width / 2, row.top, width, kBoxHeight, kCentre,
                                  kz::ui::kPaleYellow},
                                 this);
        }
        if (row.arrow)
            kz::ui::buildControl({Kind::Label, u"←-------", 3000, row.top, 900, kRowHeight}, this);
        if (row.task)
            kz::ui::buildControl({Kind::Label, row.task, row.taskLeft, row.top, kChartWidth - row.taskLeft - 60,
                                  kRowHeight},
                                 this);
        if (row.aside) {
            auto* aside = static_cast<QLabel*>(kz::ui::buildControl(
                {Kind::Label, row.aside, 6120, row.top, kChartWidth - 6120 - 60, 2 * kRowHeight,
                 Qt::AlignLeft | Qt::AlignTop},
                this));
            aside->setWordWrap(true);
        }
    }
}

GiftTaxTable::GiftTaxTable(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(u"Picture4"_s);
    resize(kz::ui::twipsSize(kGiftWidth, kGiftMinHeight));
    kz::ui::setBackground(this, kz::ui::kWhite);
    setLaw(kz::tax::statedLaw());
}

void GiftTaxTable::setLaw(const kz::tax::LawEdition& law)
{
    for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        delete w;
    std::vector<Control> table;
    Twips height = giftTable(law, kGiftRoomy, table);
    if (height > kGiftMinHeight) {
        table.clear();
        height = giftTable(law, kGiftCompact, table);
    }
    height = std::max(height, kGiftMinHeight);
    for (const Control& c : table)
        kz::ui::buildControl(c, this)->show(); // the panel may be on screen already
    // The foot stays where it stood; a taller panel reaches up into the free column.
    const int bottom = geometry().bottom();
    const QSize size = kz::ui::twipsSize(kGiftWidth, height);
    setGeometry(x(), bottom + 1 - size.height(), size.width(), size.height());
}

} // namespace kz::tax
