// SPDX-License-Identifier: MIT
#include "tax_sheet/form_souzoku.h"

#include "file_commands/case_io.h"
#include "file_commands/file_commands.h"
#include "tax_sheet/case_reader.h"
#include "core/family/sheet_fill.h"
#include "tax_sheet/assets_window.h"
#include "tax_sheet/family_window.h"
#include "tax_sheet/law_chooser.h"
#include "tax_sheet/reference_panels.h"
#include "tax_sheet/sheet_layout.h"
#include "tax_sheet/sheet_page.h"
#include "tax_sheet/sheet_report.h"
#include "ui/app.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/entry_field.h"
#include "ui/print.h"
#include "ui/twips.h"
#include "ui/window_registry.h"
#include "ui/placement.h"
#include "ui/modal.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QShortcut>

#include <optional>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::tax {

using kz::ui::CommandButton;
using kz::ui::twipsRect;

namespace {

constexpr Twips kPageLeft = 2520;   // the page in view
constexpr Twips kParkedLeft = 13800; // outside the client area
constexpr Twips kPageTop = 0;

// Commands beside the stated ones: the file commands, and 二次相続… in the row that names
// none. The steps, the reports and 二次相続… stand in the free right part of the
// sheet's heading row, right of the law's drop-down: the command column's band under
// "シートHELP" is taken by the gift table under a law with more brackets. A smaller face than
// the stated buttons, so that all four fit the row. Tab reaches them after the stated order;
// each has its own key. The case file's commands stand in the command column under
// "シートHELP", above the gift table at its tallest.
struct ExtraCommand {
    std::optional<kz::files::Command> command;
    Twips left, top, width;
};
constexpr Twips kExtraTop = 105, kCaseTop = 2430, kExtraHeight = 360;
constexpr qreal kExtraPointSize = 8;
using kz::files::Command;
constexpr ExtraCommand kExtraCommands[] = {
    {Command::Steps, 8495, kExtraTop, 840},
    {Command::SaveReport, 9380, kExtraTop, 1140},
    {Command::PreviewReport, 10565, kExtraTop, 1400},
    {std::nullopt, 12010, kExtraTop, 990}, // 二次相続…
    {Command::Open, 120, kCaseTop, 1050},
    {Command::SaveCase, 1245, kCaseTop, 1050},
};

} // namespace

FormSouzoku::FormSouzoku(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"FormSouzoku"_s);
    setWindowTitle(u"相続税計算シート"_s);
    setFixedSize(kz::ui::twipsSize(13200, 9360));

    Picture3 = new SheetPage(sheet_, this);
    Picture2 = new ProceduresChart(this);
    Command4 = Picture3->Command4;

    Picture1 = new QWidget(this);
    Picture1->setObjectName(u"Picture1"_s);
    Picture1->setGeometry(twipsRect(0, 0, 2535, 9375));
    kz::ui::setBackground(Picture1, kz::ui::kLightYellow);

    auto button = [this](const QString& caption, const QString& name, Twips top, Twips width, Twips height) {
        auto* b = new CommandButton(caption, Picture1);
        b->setObjectName(name);
        b->setGeometry(twipsRect(120, top, width, height));
        return b;
    };
    Command1 = button(u"相続開始後の手続き"_s, u"Command1"_s, 240, 2175, 495);
    Command2 = button(u"相続税計算シート"_s, u"Command2"_s, 960, 2175, 495);
    Command3 = button(u"シートHELP"_s, u"Command3"_s, 1800, 2175, 495);
    Command7 = button(u"閉じる"_s, u"Command7"_s, 8760, 1695, 375);

    Picture4 = new GiftTaxTable(Picture1);
    Picture4->move(twipsRect(0, 4800, 0, 0).topLeft());

    Picture5 = kz::ui::makePrintIcon(1920, 8760, Picture1);
    Picture5->setObjectName(u"Picture5"_s);
    Picture5->setCursor(Qt::PointingHandCursor);
    Picture5->setAccessibleName(u"画面を印刷"_s);
    // A click takes the focus too, so the field under edit is stored before the print.
    Picture5->setFocusPolicy(Qt::StrongFocus);
    Picture5->onClick = [this] { Picture5_Click(); };

    connect(Command1, &QPushButton::clicked, this, &FormSouzoku::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FormSouzoku::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FormSouzoku::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &FormSouzoku::Command7_Click);

    // The sheet's own order (fields 0..43, then 納付税額計算) continues down the column.
    setTabOrder(Command4, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command7);
    // After the stated order: the law's drop-down, then the boxes that act (the clearing
    // column top to bottom, then the printer), before the order starts again.
    QWidget* last = Picture3->Combo1;
    setTabOrder(Command7, last);
    for (const ClearLabel c : layout::kClearingLabels)
        if (QWidget* box = Picture3->clearingLabel(c))
            setTabOrder(std::exchange(last, box), box);
    setTabOrder(last, Picture5);
    // The column's own commands beside the stated ones, top to bottom.
    addExtraCommands();
    CommandNiji = findChild<CommandButton*>(u"CommandNiji"_s);
    kz::files::acceptCaseDrops(this);

    connect(Picture3, &SheetPage::lawChanged, this, &FormSouzoku::followLaw);

    // F1 asks for help, as "シートHELP" does.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &FormSouzoku::Command3_Click);

    Form_Load();
}

FormSouzoku::~FormSouzoku()
{
    // The page talks to sheet_ until it is gone, and members go before child widgets; so
    // does 財産の内訳 with assets_.
    delete kz::ui::openWindow(kz::ui::WindowKind::Assets);
    kz::ui::unregisterWindow(kz::ui::WindowKind::Assets, this);
    delete kz::ui::openWindow(kz::ui::WindowKind::TaxFamily);
    kz::ui::unregisterWindow(kz::ui::WindowKind::TaxFamily, this);
    delete Picture3;
}

void FormSouzoku::Form_Load()
{
    kz::ui::placeOnScreen(this, 2, 2);
    Command2_Click();
    Picture3->enterField(amountField(1, 0));
}

void FormSouzoku::showPage(QWidget* page, QWidget* parked)
{
    page->move(twipsRect(kPageLeft, kPageTop, 0, 0).topLeft());
    page->setEnabled(true);
    parked->move(twipsRect(kParkedLeft, kPageTop, 0, 0).topLeft());
    // Parked out of sight, a page keeps its contents but must not take the focus: Tab
    // would otherwise lead into fields that nobody can see.
    parked->setEnabled(false);
    // Hidden as well, so that a screen reader does not read it as showing; it is out of
    // sight either way.
    page->show();
    parked->hide();
}

QWidget* FormSouzoku::addExtraCommands()
{
    commands_ = new kz::files::FileCommands(
        this, *this,
        {u"相続税試算"_s, u"計算過程 － 相続税計算シート"_s, kz::ui::WindowKind::TaxSteps,
         [this](const QDate& date) {
             return sheetReport(sheet_, date, kz::assets::assetsSteps(assets_, sheet_), family_ ? &*family_ : nullptr);
         },
         [this] { return stepsPage(sheet_, kz::assets::assetsSteps(assets_, sheet_), family_ ? &*family_ : nullptr); },
         [this](ReportUse use) { return refuseReport(use); }});
    QWidget* last = Picture5;
    for (const ExtraCommand& c : kExtraCommands) {
        CommandButton* b = nullptr;
        QKeyCombination key(Qt::Key_F3);
        if (c.command) {
            b = commands_->button(*c.command, this);
            key = kz::files::info(*c.command).key;
        } else {
            b = new CommandButton(u"二次相続…"_s, this);
            b->setObjectName(u"CommandNiji"_s);
            b->setAccessibleName(u"二次相続"_s);
            connect(b, &QPushButton::clicked, this, &FormSouzoku::CommandNiji_Click);
        }
        QFont small = b->font();
        small.setPointSizeF(kExtraPointSize);
        b->setFont(small);
        b->setGeometry(twipsRect(c.left, c.top, c.width, kExtraHeight));
        b->raise();
        kz::ui::bindKey(b, key, this);
        setTabOrder(std::exchange(last, b), b);
        extraCommands.append(b);
    }
    // 財産の内訳 fills the six amounts: its command stands on the sheet above 納付税額計算, where
    // the amounts it writes are computed; the heading row has no room left.
    // A command on the sheet page that opens a window of its own, by its key too.
    auto sheetCommand = [&](const QString& name, const QString& objectName, const QRect& at, Qt::Key key,
                            void (FormSouzoku::*show)()) {
        auto* b = new CommandButton(name + u'…', Picture3);
        b->setObjectName(objectName);
        b->setGeometry(at);
        b->setAccessibleName(name);
        connect(b, &QPushButton::clicked, this, show);
        kz::ui::bindKey(b, QKeyCombination(key), this);
        setTabOrder(std::exchange(last, b), b);
        extraCommands.append(b);
    };
    sheetCommand(u"財産の内訳"_s, u"AssetsCommand"_s, twipsRect(8520, 7395, 1935, kExtraHeight), Qt::Key_F6,
                 &FormSouzoku::showAssets);
    kz::ui::registerWindow(kz::ui::WindowKind::Assets, [this] {
        return new AssetsWindow(sheet_, assets_, [this] { commands_->refreshSteps(); }, this);
    }, this);
    // 相続人の判定 fills the heir count, the shares and the 2割加算 marks: its command stands on
    // the sheet in the free band between ④ and ⑤, just below 法定相続人数 (whose own row has
    // no room for one).
    sheetCommand(u"相続人の判定"_s, u"FamilyCommand"_s, twipsRect(120, 3900, 2430, kExtraHeight), Qt::Key_F5,
                 &FormSouzoku::showFamily);
    for (QWidget* box : Picture3->surchargeBoxes)
        setTabOrder(std::exchange(last, box), box);
    kz::ui::registerWindow(kz::ui::WindowKind::TaxFamily, [this] {
        kz::family::Family start = family_.value_or(kz::family::Family{});
        start.law = &sheet_.law();
        return new FamilyWindow(start, [this](const kz::family::Family& f) { applyFamily(f); }, this);
    }, this);
    // The steps window follows every change of a result.
    auto mirror = std::move(sheet_.labelChanged);
    sheet_.labelChanged = [this, mirror = std::move(mirror)](Label l) {
        if (mirror)
            mirror(l);
        commands_->refreshSteps();
    };
    return last;
}

// A report is only of results that stand; otherwise the sheet says why, as its own run does,
// and leads to 納付税額計算.
bool FormSouzoku::refuseReport(ReportUse use)
{
    const QString why = reportRefusal(sheet_, use);
    if (why.isEmpty())
        return false;
    QMessageBox box(QMessageBox::Warning, u"相続税計算"_s, why, QMessageBox::Ok, this);
    kz::ui::runModal(box, this);
    showPage(Picture3, Picture2);
    Command4->setFocus(Qt::OtherFocusReason);
    return true;
}

// Entries that do not read cannot be kept as a case: said before the file goes without them.
void FormSouzoku::warnBeforeSave()
{
    if (!assets_.texts.items.empty() && !kz::assets::estateOf(assets_, sheet_)) {
        QMessageBox box(QMessageBox::Warning, u"相続税計算"_s,
                        u"財産の内訳に読めない入力があるため、財産の内訳は保存されません。"_s, QMessageBox::Ok, this);
        kz::ui::runModal(box, this);
    }
}

kz::cases::FileCase FormSouzoku::fileCase() const
{
    kz::cases::FileCase c;
    c.window = kz::cases::Window::Sheet;
    c.sheet = kz::cases::sheetCase(sheet_);
    c.assets = kz::assets::estateOf(assets_, sheet_);
    c.family = family_;
    return c;
}

bool FormSouzoku::holdsCalculatedCase() const { return sheet_.working().reached != Working::Stage::None; }

// The sheet becomes the one the case was typed into and computed on, as --compute computes
// it; a stop is told as 納付税額計算 tells it.
void FormSouzoku::openCase(const kz::cases::FileCase& c)
{
    const kz::cases::SheetAnswer computed = kz::cases::computeSheet(c.sheet);
    // No field stays under edit: leaving it later would store its text into the new model
    // ("250,000" read back as 250).
    findChild<CommandButton*>(u"OpenCommand"_s)->setFocus(Qt::OtherFocusReason);
    kz::ui::EntryField::leaveFieldUnderEdit(this);
    Picture3->adopt(computed.sheet);
    // The case's assets replace the entries; an open 財産の内訳 would show the old ones.
    if (QWidget* open = kz::ui::openWindow(kz::ui::WindowKind::Assets))
        open->close();
    kz::assets::takeEstate(assets_, c.assets);
    family_ = c.family;
    if (auto* family = dynamic_cast<FamilyWindow*>(kz::ui::openWindow(kz::ui::WindowKind::TaxFamily)))
        family->model().setFamily(family_.value_or(kz::family::Family{}));
    Command2_Click();
    if (const std::string_view message = stopMessage(computed.stopped); !message.empty())
        Picture3->tellStop(message);
}

void FormSouzoku::Command1_Click() { showPage(Picture2, Picture3); }
void FormSouzoku::Command2_Click() { showPage(Picture3, Picture2); }

// Shows nothing until the help window is registered with the window registry. The help
// explains the law this sheet follows.
void FormSouzoku::Command3_Click()
{
    if (auto* help = dynamic_cast<LawFollower*>(kz::ui::showWindow(kz::ui::WindowKind::TermsHelp)))
        help->followLaw(sheet_.law());
}

// The gift-tax panel and an open help window show the figures of the law now chosen.
void FormSouzoku::followLaw()
{
    Picture4->setLaw(sheet_.law());
    if (auto* help = dynamic_cast<LawFollower*>(kz::ui::openWindow(kz::ui::WindowKind::TermsHelp)))
        help->followLaw(sheet_.law());
    if (auto* family = dynamic_cast<FamilyWindow*>(kz::ui::openWindow(kz::ui::WindowKind::TaxFamily)))
        family->followLaw(sheet_.law());
    if (auto* assets = dynamic_cast<AssetsWindow*>(kz::ui::openWindow(kz::ui::WindowKind::Assets)))
        assets->followLaw();
}

void FormSouzoku::showFamily() { kz::ui::showWindow(kz::ui::WindowKind::TaxFamily); }

// The family's count, shares, names and marks typed into the sheet, then 納付税額計算 as the
// user would press it; the sheet comes to the front with its results. A family that does not
// fit changes nothing (its window says why).
void FormSouzoku::applyFamily(const kz::family::Family& family)
{
    kz::family::Judgement j;
    try {
        j = kz::family::judge(family);
    } catch (const kz::family::FamilyError&) {
        return;
    }
    const kz::family::SheetFill fill = kz::family::sheetFill(j);
    // No field stays under edit: leaving it later would type its old text over the fill.
    kz::ui::EntryField::leaveFieldUnderEdit(this);
    if (!kz::family::fillSheet(sheet_, fill))
        return;
    family_ = family;
    Command2_Click();
    activateWindow();
    raise();
    Command4->setFocus(Qt::OtherFocusReason);
    Picture3->Command4_Click();
}

void FormSouzoku::Command7_Click() { close(); }

// Every press starts the study from the sheet's case as it stands.
void FormSouzoku::CommandNiji_Click()
{
    if (auto* study = dynamic_cast<CaseReader*>(kz::ui::showWindow(kz::ui::WindowKind::SecondStudy)))
        study->takeCase(sheet_);
}

void FormSouzoku::showAssets() { kz::ui::showWindow(kz::ui::WindowKind::Assets); }

void FormSouzoku::sendCase(CaseReader& reader) { reader.takeCase(sheet_); }

void FormSouzoku::Picture5_Click()
{
    kz::ui::confirmAndPrint(this, Picture5, kz::ui::PageOrientation::Landscape);
}

} // namespace kz::tax
