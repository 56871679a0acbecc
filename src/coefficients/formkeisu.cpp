// SPDX-License-Identifier: MIT
#include "coefficients/formkeisu.h"

#include "coefficients/coefficient_report.h"
#include "core/case/cases.h"
#include "file_commands/file_commands.h"
#include "ui/app.h"
#include "ui/action_box.h"
#include "ui/command_button.h"
#include "ui/entry_field.h"
#include "ui/print.h"
#include "ui/twips.h"
#include "ui/window_registry.h"
#include "ui/placement.h"
#include "ui/modal.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QMessageBox>
#include <QTabBar>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace kz::coef {

namespace {

std::size_t at(int index) { return static_cast<std::size_t>(index); }

} // namespace

Formkeisu::Formkeisu(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"Formkeisu"_s);
    setWindowTitle(u"基本係数"_s);
    setFixedSize(kz::ui::twipsSize(8775, 5625));

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(u"SSTab1"_s);
    SSTab1->setGeometry(kz::ui::twipsRect(0, 0, 8775, 5655));
    SSTab1->setUsesScrollButtons(false);
    // A click on a caption takes the focus to the tab strip: the field being edited is
    // left and stored, and no field of the page shown arrives (which would turn its
    // results to "0") merely because the page was looked at.
    SSTab1->tabBar()->setFocusPolicy(Qt::StrongFocus);
    QWidget* previous = SSTab1->tabBar();
    for (int tab = 0; tab < kTabCount; ++tab) {
        pages_[at(tab)] = new TabPage(tab, controls);
        SSTab1->addTab(pages_[at(tab)], tabCaption(tab));
        for (QWidget* w : pages_[at(tab)]->tabOrder()) {
            setTabOrder(previous, w);
            previous = w;
        }
    }
    SSTab1->setCurrentIndex(0);
    SSTab1->installEventFilter(this);

    model_.textChanged = [this](int i) { controls.Num1[at(i)]->setText(kz::ui::qs(model_.text(i))); };
    for (int i = 0; i < kFieldCount; ++i)
        if (isInput(i))
            wireField(i);
    for (int i = 0; i < kCalcCount; ++i) {
        wireCalculation(calcAt(i));
        controls.Label2[at(i)]->onClick = [this, i] { Label2_Click(i); };
    }
    for (int tab = 0; tab < kTabCount; ++tab) {
        connect(controls.close[at(tab)], &QPushButton::clicked, this, &QWidget::close);
        controls.Picture1[at(tab)]->onClick = [this, tab] { Picture1_Click(tab); };
    }

    wireExtraCommands();
    kz::files::acceptCaseDrops(this);

    kz::ui::placeOnScreen(this, 2, 4);
    // The window opens ready for the first amount.
    moveFocusTo(0);
}

void Formkeisu::wireField(int index)
{
    auto* entry = static_cast<kz::ui::EntryField*>(controls.Num1[at(index)]);
    entry->onFocusIn = [this, index] { Num1_GotFocus(index); };
    entry->onFocusOut = [this, index] { Num1_LostFocus(index); };
    entry->onKeyDown = [this, index](int key) { return Num1_KeyDown(index, key); };
    entry->onEnter = [this, index] { Num1_Enter(index); };
    connect(entry, &QLineEdit::textEdited, this,
            [this, index](const QString& text) { model_.setText(index, kz::ui::utf8(text)); });
}

void Formkeisu::wireCalculation(Calc c)
{
    kz::ui::CommandButton* button = controls.calculate[at(indexOf(c))];
    connect(button, &QPushButton::clicked, this, [this, c] { Command_Click(c); });
    if (calc(c).computesOnCharKey)
        button->onCharTyped = [this, c](QChar) { Command_Click(c); };
}

void Formkeisu::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The tab control has placed its pages by now.
    for (TabPage* page : pages_)
        page->alignTo(SSTab1);
}

// Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp turn the pages, whatever control
// has the focus (the fields leave these keys to the window). The focus goes to the tab strip
// first, as with a click on a caption: the field under edit is stored, and no field of the
// page shown arrives, which would turn its results to "0".
bool Formkeisu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != SSTab1 || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const int step = kz::ui::pageTurn(static_cast<QKeyEvent*>(event));
    if (step == 0)
        return false;
    SSTab1->tabBar()->setFocus(Qt::TabFocusReason);
    SSTab1->setCurrentIndex((SSTab1->currentIndex() + step + kTabCount) % kTabCount);
    return true;
}

void Formkeisu::Num1_GotFocus(int index)
{
    if (model_.gotFocus(index))
        controls.Num1[at(index)]->selectAll();
}

void Formkeisu::Num1_LostFocus(int index) { model_.lostFocus(index); }

bool Formkeisu::Num1_KeyDown(int index, int key)
{
    if (key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    if (const auto to = arrowTarget(index, key == Qt::Key_Up ? Arrow::Up : Arrow::Down))
        controls.Num1[at(*to)]->setFocus(Qt::OtherFocusReason);
    return true;
}

void Formkeisu::Num1_Enter(int index)
{
    const auto to = enterTarget(index);
    if (!to)
        return;
    if (to->kind == FocusTarget::Kind::Field)
        controls.Num1[at(to->field)]->setFocus(Qt::OtherFocusReason);
    else
        controls.calculate[at(indexOf(to->calc))]->setFocus(Qt::OtherFocusReason);
}

void Formkeisu::Command_Click(Calc c)
{
    const auto bad = model_.calculate(c);
    const std::string_view stop = stopMessage(model_.stopped());
    if (!bad && stop.empty())
        return;
    QMessageBox box(QMessageBox::Warning, u"エラー"_s, bad ? u"数値を入力してください"_s : kz::ui::qs(stop),
                    QMessageBox::Ok, this);
    kz::ui::runModal(box, this);
    // After a stop the user starts again at the calculation's first field.
    moveFocusTo(bad ? *bad : calc(c).first);
}

void Formkeisu::Label2_Click(int index) { moveFocusTo(model_.clear(calcAt(index))); }

void Formkeisu::Picture1_Click(int tab)
{
    kz::ui::confirmAndPrint(this, controls.Picture1[at(tab)], kz::ui::PageOrientation::AsPrinterIs);
}

void Formkeisu::wireExtraCommands()
{
    commands_ = new kz::files::FileCommands(
        this, *this,
        {u"係数計算"_s, u"計算過程 － 基本係数"_s, kz::ui::WindowKind::CoefficientSteps,
         [this](const QDate& date) { return coefficientReport(model_, date); }, [this] { return stepsPage(model_); }, {}});
    for (std::size_t i = 0; i < std::size(kz::files::kCommands); ++i) {
        const kz::files::CommandInfo& command = kz::files::kCommands[i];
        for (const auto& page : controls.extra)
            commands_->wire(page[i], command.command);
        // The key acts as the shown tab's button would on a click: the field under edit is
        // left, and its amount stored, first.
        auto* shortcut = new QShortcut(QKeySequence(command.key), this);
        connect(shortcut, &QShortcut::activated, this, [this, i] {
            kz::ui::CommandButton* b = controls.extra[at(SSTab1->currentIndex())][i];
            b->setFocus(Qt::ShortcutFocusReason);
            b->click();
        });
    }
    // The steps window follows every result the model writes.
    auto mirror = std::move(model_.textChanged);
    model_.textChanged = [this, mirror = std::move(mirror)](int i) {
        if (mirror)
            mirror(i);
        commands_->refreshSteps();
    };
}

kz::cases::FileCase Formkeisu::fileCase() const
{
    kz::cases::FileCase c;
    c.window = kz::cases::Window::Coefficients;
    c.coefficients = kz::cases::coefficientCases(model_);
    return c;
}

bool Formkeisu::holdsCalculatedCase() const
{
    for (int tab = 0; tab < kTabCount; ++tab)
        if (model_.lastRun(tab))
            return true;
    return false;
}

// The window's model becomes the one the calculations were typed into and computed on, as
// --compute computes each; the page of the first of them comes to the front. A calculation
// that answers "数値を入力してください" shows no result, as after a press that asked.
void Formkeisu::openCase(const kz::cases::FileCase& c)
{
    // The tab strip takes the focus first: no field arrives, which would clear its results.
    SSTab1->tabBar()->setFocus(Qt::OtherFocusReason);
    kz::ui::EntryField::leaveFieldUnderEdit(this);
    if (!c.coefficients.empty())
        SSTab1->setCurrentIndex(calc(c.coefficients.front().calc).tab);
    auto mirror = std::move(model_.textChanged);
    model_ = kz::cases::computeCoefficients(c.coefficients);
    model_.textChanged = std::move(mirror);
    for (int i = 0; i < kFieldCount; ++i)
        model_.textChanged(i);
    // A calculation that stops shows 0 as a fresh one does; say why, as 計算 would.
    for (const kz::cases::CoefficientCase& one : c.coefficients)
        if (const std::string_view stop = stopMessage(kz::cases::computeCoefficient(one).model.stopped()); !stop.empty()) {
            SSTab1->setCurrentIndex(calc(one.calc).tab);
            QMessageBox box(QMessageBox::Warning, u"エラー"_s, kz::ui::qs(stop), QMessageBox::Ok, this);
            box.exec();
            activateWindow();
            moveFocusTo(calc(one.calc).first);
            break;
        }
}

void Formkeisu::moveFocusTo(int field)
{
    // Also where the field has the focus already, or the window is not active yet after a
    // message box: the text is selected and the results read "0" all the same.
    static_cast<kz::ui::EntryField*>(controls.Num1[at(field)])->enter();
}

} // namespace kz::coef
