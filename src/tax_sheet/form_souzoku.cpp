// SPDX-License-Identifier: MIT
#include "tax_sheet/form_souzoku.h"

#include "report/case_io.h"
#include "report/output.h"
#include "report/steps_window.h"
#include "tax_sheet/case_reader.h"
#include "tax_sheet/assets_window.h"
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
#include "ui/windows.h"

#include <QMessageBox>
#include <QShortcut>

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

// Commands beside the stated ones, in the free right part of the sheet's heading row, right
// of the law's drop-down: the command column's band under "シートHELP" is taken by the gift
// table under a law with more brackets. A smaller face than the stated buttons, so that all
// four fit the row. Tab reaches them after the stated order; each has its own key.
struct ExtraCommand {
    const char16_t* caption;
    const char16_t* name;
    Twips left, width;
    QKeyCombination key;
    void (FormSouzoku::*act)();
};
constexpr Twips kExtraTop = 105, kExtraHeight = 360;
constexpr qreal kExtraPointSize = 8;
const ExtraCommand kExtraCommands[] = {
    {u"計算過程", u"StepsCommand", 8495, 840, QKeyCombination(Qt::Key_F2), &FormSouzoku::showSteps},
    {u"PDFに保存…", u"SaveCommand", 9380, 1140, QKeyCombination(Qt::CTRL, Qt::Key_S), &FormSouzoku::saveReport},
    {u"印刷プレビュー…", u"PreviewCommand", 10565, 1400, QKeyCombination(Qt::CTRL, Qt::Key_P),
     &FormSouzoku::previewReport},
    {u"二次相続…", u"CommandNiji", 12010, 990, QKeyCombination(Qt::Key_F3), &FormSouzoku::CommandNiji_Click},
};
// The case file's commands in the command column under "シートHELP", above the gift table
// at its tallest. Ctrl+S is the PDF's: saving a case takes Ctrl+Shift+S, the common key of
// a save that asks for the file's name, which this one always does.
constexpr Twips kCaseTop = 2430;
const ExtraCommand kCaseCommands[] = {
    {u"開く…", u"OpenCommand", 120, 1050, QKeyCombination(Qt::CTRL, Qt::Key_O), &FormSouzoku::openFile},
    {u"保存…", u"SaveCaseCommand", 1245, 1050, QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_S), &FormSouzoku::saveCase},
};

} // namespace

FormSouzoku::FormSouzoku(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"FormSouzoku"_s);
    setWindowTitle(u"相続税計算シート"_s);
    setFixedSize(kz::ui::twipsSize(13200, 9360));

    Picture3 = new SheetPage(m_sheet, this);
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
    kz::report::acceptCaseDrops(this);

    connect(Picture3, &SheetPage::lawChanged, this, &FormSouzoku::followLaw);

    // F1 asks for help, as "シートHELP" does.
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &FormSouzoku::Command3_Click);

    Form_Load();
}

FormSouzoku::~FormSouzoku()
{
    // The page talks to m_sheet until it is gone, and members go before child widgets; so
    // does 財産の内訳 with m_assets.
    delete kz::ui::openWindow(kz::ui::WindowKind::Assets);
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
    QWidget* last = Picture5;
    std::vector<std::pair<const ExtraCommand*, Twips>> commands;
    for (const ExtraCommand& c : kExtraCommands)
        commands.emplace_back(&c, kExtraTop);
    for (const ExtraCommand& c : kCaseCommands)
        commands.emplace_back(&c, kCaseTop);
    for (const auto& [command, top] : commands) {
        const ExtraCommand& c = *command;
        auto* b = new CommandButton(QString::fromUtf16(c.caption), this);
        b->setObjectName(QString::fromUtf16(c.name));
        QFont small = b->font();
        small.setPointSizeF(kExtraPointSize);
        b->setFont(small);
        b->setGeometry(twipsRect(c.left, top, c.width, kExtraHeight));
        b->raise();
        b->setAccessibleName(QString(b->text()).remove(u'…'));
        connect(b, &QPushButton::clicked, this, c.act);
        kz::ui::bindKey(b, c.key, this);
        setTabOrder(std::exchange(last, b), b);
        extraCommands.append(b);
    }
    // 財産の内訳 fills the six amounts: its command stands on the sheet above 納付税額計算, where
    // the amounts it writes are computed; the heading row has no room left.
    auto* assets = new CommandButton(u"財産の内訳…"_s, Picture3);
    assets->setObjectName(u"AssetsCommand"_s);
    assets->setGeometry(twipsRect(8520, 7395, 1935, kExtraHeight));
    assets->setAccessibleName(u"財産の内訳"_s);
    connect(assets, &QPushButton::clicked, this, &FormSouzoku::showAssets);
    kz::ui::bindKey(assets, QKeyCombination(Qt::Key_F6), this);
    setTabOrder(std::exchange(last, assets), assets);
    extraCommands.append(assets);
    kz::ui::registerWindow(kz::ui::WindowKind::Assets, [this] {
        return new AssetsWindow(m_sheet, m_assets, [this] { refreshSteps(); }, this);
    });
    // The steps window follows every change of a result.
    auto mirror = std::move(m_sheet.labelChanged);
    m_sheet.labelChanged = [this, mirror = std::move(mirror)](Label l) {
        if (mirror)
            mirror(l);
        refreshSteps();
    };
    kz::ui::registerWindow(kz::ui::WindowKind::TaxSteps, [this] {
        return new kz::report::StepsWindow(u"計算過程 － 相続税計算シート"_s,
                                          [this] { return stepsPage(m_sheet, kz::assets::assetsSteps(m_assets, m_sheet)); }, this);
    });
    return last;
}

void FormSouzoku::refreshSteps()
{
    if (auto* steps = dynamic_cast<kz::report::StepsWindow*>(kz::ui::openWindow(kz::ui::WindowKind::TaxSteps)))
        steps->refresh();
}

void FormSouzoku::showSteps() { kz::ui::showWindow(kz::ui::WindowKind::TaxSteps); }

void FormSouzoku::saveReport()
{
    if (refuseReport(ReportUse::Save))
        return;
    kz::report::Document doc = sheetReport(m_sheet, kz::report::reportDate(), kz::assets::assetsSteps(m_assets, m_sheet));
    kz::report::attachCase(doc, fileCase());
    kz::report::saveWithDialog(this, doc, u"相続税試算"_s, &m_client);
}

void FormSouzoku::previewReport()
{
    if (!refuseReport(ReportUse::Print))
        kz::report::showPreview(this, sheetReport(m_sheet, kz::report::reportDate(), kz::assets::assetsSteps(m_assets, m_sheet)),
                                &m_client);
}

// A report is only of results that stand; otherwise the sheet says why, as its own run does,
// and leads to 納付税額計算.
bool FormSouzoku::refuseReport(ReportUse use)
{
    const QString why = reportRefusal(m_sheet, use);
    if (why.isEmpty())
        return false;
    QMessageBox box(QMessageBox::Warning, u"相続税計算"_s, why, QMessageBox::Ok, this);
    box.exec();
    activateWindow();
    showPage(Picture3, Picture2);
    Command4->setFocus(Qt::OtherFocusReason);
    return true;
}

kz::cases::FileCase FormSouzoku::fileCase() const
{
    kz::cases::FileCase c;
    c.window = kz::cases::Window::Sheet;
    c.sheet = kz::cases::sheetCase(m_sheet);
    c.assets = kz::assets::estateOf(m_assets, m_sheet);
    return c;
}

bool FormSouzoku::holdsCalculatedCase() const { return m_sheet.working().reached != Working::Stage::None; }

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
    kz::assets::takeEstate(m_assets, c.assets);
    Command2_Click();
    if (const std::string_view message = stopMessage(computed.stopped); !message.empty())
        Picture3->tellStop(message);
}

void FormSouzoku::saveCase()
{
    // Entries that do not read cannot be kept as a case: said before the file goes without them.
    if (!m_assets.texts.items.empty() && !kz::assets::estateOf(m_assets, m_sheet)) {
        QMessageBox box(QMessageBox::Warning, u"相続税計算"_s,
                        u"財産の内訳に読めない入力があるため、財産の内訳は保存されません。"_s, QMessageBox::Ok, this);
        box.exec();
    }
    kz::report::saveCaseWithDialog(this, fileCase(), u"相続税試算"_s, m_client);
}

void FormSouzoku::openFile() { kz::report::openCaseWithDialog(this); }

void FormSouzoku::Command1_Click() { showPage(Picture2, Picture3); }
void FormSouzoku::Command2_Click() { showPage(Picture3, Picture2); }

// Shows nothing until the help window is registered with the window registry. The help
// explains the law this sheet follows.
void FormSouzoku::Command3_Click()
{
    if (auto* help = dynamic_cast<LawFollower*>(kz::ui::showWindow(kz::ui::WindowKind::TermsHelp)))
        help->followLaw(m_sheet.law());
}

// The gift-tax panel and an open help window show the figures of the law now chosen.
void FormSouzoku::followLaw()
{
    Picture4->setLaw(m_sheet.law());
    if (auto* help = dynamic_cast<LawFollower*>(kz::ui::openWindow(kz::ui::WindowKind::TermsHelp)))
        help->followLaw(m_sheet.law());
}

void FormSouzoku::Command7_Click() { close(); }

// Every press starts the study from the sheet's case as it stands.
void FormSouzoku::CommandNiji_Click()
{
    if (auto* study = dynamic_cast<CaseReader*>(kz::ui::showWindow(kz::ui::WindowKind::SecondStudy)))
        study->takeCase(m_sheet);
}

void FormSouzoku::showAssets() { kz::ui::showWindow(kz::ui::WindowKind::Assets); }

void FormSouzoku::sendCase(CaseReader& reader) { reader.takeCase(m_sheet); }

void FormSouzoku::Picture5_Click()
{
    kz::ui::confirmAndPrint(this, Picture5, kz::ui::PageOrientation::Landscape);
}

} // namespace kz::tax
