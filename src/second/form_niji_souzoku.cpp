// SPDX-License-Identifier: MIT
#include "second/form_niji_souzoku.h"

#include "core/common/format.h"
#include "core/case/cases.h"
#include "file_commands/file_commands.h"
#include "second/study_chart.h"
#include "second/study_report.h"
#include "second/study_texts.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/entry_field.h"
#include "ui/window_registry.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>
#include <QTime>
#include <QTableWidget>

#include <utility>

using namespace Qt::StringLiterals;

namespace kz::second {
namespace {

// Names for tests and the screen reader's tree, in the order of Entry.
constexpr const char16_t* kEntryNames[kEntryCount] = {u"Estate", u"Children", u"Share", u"Percent", u"Assets", u"Years"};

} // namespace

FormNijiSouzoku::FormNijiSouzoku(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    setObjectName(u"FormNijiSouzoku"_s);
    setWindowTitle(u"二次相続シミュレーション"_s);

    QWidget* inputs = buildInputs();
    bestButton = new kz::ui::CommandButton(u"最も少ない割合にする"_s, this);
    bestButton->setObjectName(u"BestShare"_s);
    bestButton->setToolTip(u"一次・二次の合計が最も少ない割合にします。同じ合計の割合が続くときは、"
                           u"その中でいま選んでいる割合に最も近い割合にします。"_s);
    connect(bestButton, &QPushButton::clicked, this, [this] { form_.chooseOptimum(); });
    QWidget* results = buildResults();
    QLayout* commands = buildCommands();

    chart = new StudyChart(form_, this);
    table = new QTableWidget(0, 5, this); // its rows follow the study's table
    table->setObjectName(u"StudyTable"_s);
    table->setAccessibleName(u"配偶者の取得割合ごとの税額表（千円）"_s);
    table->setHorizontalHeaderLabels(tableColumns());
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move inside it
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    // Every row in view at once: eleven steps, the two named shares, the optimum, the choice.
    table->setMinimumHeight(table->verticalHeader()->defaultSectionSize() * 15 + table->horizontalHeader()->sizeHint().height() + 4);

    // Where the case came from, and when: a later change on the sheet reaches the study only
    // when asked for.
    source = new QLabel(u"入力した事例"_s, this);
    source->setObjectName(u"CaseSource"_s);
    retakeButton = new kz::ui::CommandButton(u"シートから取り込む"_s, this);
    retakeButton->setObjectName(u"RetakeCase"_s);
    retakeButton->setToolTip(u"相続税計算シートのいまの事例を取り込み直します（固有財産と年数はそのまま）。"_s);
    connect(retakeButton, &QPushButton::clicked, this, &FormNijiSouzoku::retakeCase);
    auto* origin = new QHBoxLayout;
    origin->addWidget(source, 1);
    origin->addWidget(retakeButton);

    auto* left = new QVBoxLayout;
    left->addLayout(origin);
    left->addWidget(inputs);
    left->addWidget(bestButton);
    left->addWidget(results);
    left->addStretch();
    left->addLayout(commands);
    auto* right = new QVBoxLayout;
    right->addWidget(chart, 1);
    right->addWidget(table);
    headline = new QLabel(this);
    headline->setObjectName(u"Headline"_s);
    headline->setWordWrap(true);
    headline->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont strong = headline->font();
    strong.setBold(true);
    strong.setPointSizeF(strong.pointSizeF() * 1.15);
    headline->setFont(strong);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* root = new QVBoxLayout(this);
    root->addWidget(headline);
    root->addLayout(columns, 1);

    // Down the entries and the laws, the optimum, the table, the commands, then an added one.
    QWidget* last = fields_.back();
    for (QWidget* next : {static_cast<QWidget*>(laws_[0]), static_cast<QWidget*>(laws_[1]),
                          static_cast<QWidget*>(bestButton), static_cast<QWidget*>(table)})
        setTabOrder(std::exchange(last, next), next);
    for (kz::ui::CommandButton* b : commandButtons_)
        setTabOrder(std::exchange(last, b), b);
    setTabOrder(last, closeButton_);
    setTabOrder(closeButton_, retakeButton);

    form_.textChanged = [this](Entry e) { mirror(e); };
    form_.recomputed = [this] { showResults(); };
    showResults();
    resize(1100, 680);
    kz::ui::placeOnScreen(this, 2, 2);
    kz::files::acceptCaseDrops(this);
    // The first entry has the focus on arrival, also where a small screen puts the window's
    // content into a scroll area and the command above the entries would come first.
    field(Entry::Estate)->setFocus(Qt::OtherFocusReason);
}

// The entries, then the two laws' drop-downs, each named as its caption.
QWidget* FormNijiSouzoku::buildInputs()
{
    auto* inputs = new QGroupBox(u"条件"_s, this);
    auto* form = new QFormLayout(inputs);
    for (int i = 0; i < kEntryCount; ++i) {
        const Entry e = static_cast<Entry>(i);
        auto* f = new kz::ui::EntryField(inputs);
        f->setObjectName(QString::fromUtf16(kEntryNames[i]));
        f->setAccessibleName(QString::fromUtf16(entryCaption(e)));
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setText(kz::ui::qs(form_.text(e)));
        connect(f, &QLineEdit::textEdited, this, [this, e](const QString& t) { form_.setText(e, kz::ui::utf8(t)); });
        f->onFocusIn = [this, e, f] {
            form_.gotFocus(e);
            f->setSelection(static_cast<int>(f->text().size()), -static_cast<int>(f->text().size()));
        };
        f->onFocusOut = [this, e] { form_.lostFocus(e); };
        f->onEnter = [this, e] { field(StudyForm::enterTarget(e))->setFocus(Qt::TabFocusReason); };
        form->addRow(f->accessibleName(), f);
        fields_[static_cast<std::size_t>(i)] = f;
    }
    // The first inheritance's law, and the second's, which may follow the first.
    constexpr const char16_t* kLawNames[] = {u"一次相続の法令", u"二次相続の法令"};
    for (std::size_t k = 0; k < laws_.size(); ++k) {
        auto* box = new QComboBox(inputs);
        if (k == 1)
            box->addItem(u"一次相続と同じ"_s);
        for (const tax::LawEdition& law : tax::lawEditions())
            box->addItem(QString::fromUtf16(law.name));
        box->setAccessibleName(QString::fromUtf16(kLawNames[k]));
        laws_[k] = box;
    }
    for (QComboBox* box : laws_)
        form->addRow(box->accessibleName(), box);
    firstLaw = laws_[0];
    connect(laws_[0], &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            form_.setLaw(tax::lawEditions()[static_cast<std::size_t>(i)]);
    });
    connect(laws_[1], &QComboBox::currentIndexChanged, this, [this](int i) {
        form_.setSecondLaw(i > 0 ? &tax::lawEditions()[static_cast<std::size_t>(i - 1)] : nullptr);
    });
    return inputs;
}

// The figures for the chosen share, under whose family they are of.
QWidget* FormNijiSouzoku::buildResults()
{
    auto* results = new QGroupBox(u"選んだ割合の税額（千円）"_s, this);
    auto* grid = new QGridLayout(results);
    // Whose family the figures are of, above them: the sheet's, or one typed here and why.
    familyNote = new QLabel(results);
    familyNote->setObjectName(u"FamilyNote"_s);
    familyNote->setWordWrap(true);
    grid->addWidget(familyNote, 0, 0, 1, 2);
    for (const StudyFigure& row : kStudyFigures) {
        const int r = static_cast<int>(figures_.size()) + 1;
        grid->addWidget(new QLabel(kz::ui::qs(row.caption), results), r, 0);
        auto* value = new QLabel(results);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleDescription(kz::ui::qs(row.caption));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        figures_.push_back(value);
    }
    QFont bold = figures_.back()->font();
    bold.setBold(true);
    figures_.back()->setFont(bold);
    return results;
}

// The file commands, as the tax sheet has them, then 閉じる (Esc too, as it closes the help
// and the 計算過程 windows).
QLayout* FormNijiSouzoku::buildCommands()
{
    commands_ = new kz::files::FileCommands(
        this, *this,
        {u"二次相続試算"_s, u"計算過程 － 二次相続シミュレーション"_s, kz::ui::WindowKind::StudySteps,
         [this](const QDate& date) { return studyReport(form_, *chart, date); },
         [this] { return studyStepsPage(form_); }, {}});
    auto* row = new QHBoxLayout;
    for (std::size_t i = 0; i < std::size(kz::files::kCommands); ++i) {
        const kz::files::CommandInfo& command = kz::files::kCommands[i];
        kz::ui::CommandButton* b = commands_->button(command.command, this);
        kz::ui::bindKey(b, command.key, this);
        row->addWidget(b);
        commandButtons_[i] = b;
    }
    stepsButton = commandButtons_[0];
    auto* close = new kz::ui::CommandButton(u"閉じる"_s, this);
    close->setObjectName(u"CloseButton"_s);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    row->addStretch();
    row->addWidget(close);
    closeButton_ = close;
    return row;
}

FormNijiSouzoku::~FormNijiSouzoku()
{
    form_.textChanged = nullptr;
    form_.recomputed = nullptr;
    for (kz::ui::EntryField* f : fields_)
        f->onFocusIn = f->onFocusOut = nullptr;
}

void FormNijiSouzoku::takeCase(const tax::TaxSheet& sheet)
{
    const SheetStudy c = fromSheet(sheet);
    if (c.refusal != SheetRefusal::None) {
        QMessageBox box(QMessageBox::Question, u"二次相続"_s,
                        u"この計算シートの家族は二次相続で試算できません。\n理由："_s + kz::ui::qs(refusalReason(c.refusal))
                            + u"ため。\n\n計算シートから取らずに、二次相続を単独で開きますか？"_s,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::Yes);
        if (box.exec() != QMessageBox::Yes) {
            if (!retaking_) // asked again from here, the study stays as it was
                close();
            return;
        }
        form_.setStandalone(c.refusal);
        source->setText(u"入力した事例（計算シートから取り込んでいません）"_s);
        activateWindow();
        return;
    }
    StudyInput in = c.input;
    // The spouse's own assets and the years are not on the sheet: they stay as set here.
    in.spouseAssets = form_.input().spouseAssets;
    in.years = form_.input().years;
    in.secondLaw = form_.input().secondLaw;
    const QSignalBlocker block(firstLaw);
    firstLaw->setCurrentIndex(static_cast<int>(in.law - tax::lawEditions().data()));
    form_.setFromSheet(true);
    form_.setInput(in);
    source->setText(u"相続税計算シートから取り込み "_s + QTime::currentTime().toString(u"HH:mm"_s));
}

void FormNijiSouzoku::retakeCase()
{
    if (auto* sheet = dynamic_cast<tax::CaseSource*>(kz::ui::openWindow(kz::ui::WindowKind::TaxSheet))) {
        retaking_ = true;
        sheet->sendCase(*this);
        retaking_ = false;
        return;
    }
    QMessageBox box(QMessageBox::Information, u"二次相続シミュレーション"_s,
                    u"相続税計算シートが開いていないため、取り込めません。"_s, QMessageBox::Ok, this);
    box.exec();
}

kz::cases::FileCase FormNijiSouzoku::fileCase() const
{
    kz::cases::FileCase c;
    c.window = kz::cases::Window::Second;
    c.second = kz::cases::secondCase(form_);
    return c;
}

// The study computes on every change: it holds a case once it has an estate to divide.
bool FormNijiSouzoku::holdsCalculatedCase() const { return form_.input().estate > 0; }

void FormNijiSouzoku::openCase(const kz::cases::FileCase& c)
{
    // No field stays under edit: leaving it later would store its text into the new model.
    findChild<kz::ui::CommandButton*>(u"OpenCommand"_s)->setFocus(Qt::OtherFocusReason);
    kz::ui::EntryField::leaveFieldUnderEdit(this);
    auto changed = std::move(form_.textChanged);
    auto recomputed = std::move(form_.recomputed);
    form_ = kz::cases::computeSecond(c.second);
    form_.textChanged = std::move(changed);
    form_.recomputed = std::move(recomputed);
    {
        const QSignalBlocker blockFirst(laws_[0]), blockSecond(laws_[1]);
        laws_[0]->setCurrentIndex(static_cast<int>(form_.input().law - tax::lawEditions().data()));
        const tax::LawEdition* second = form_.input().secondLaw;
        laws_[1]->setCurrentIndex(second ? static_cast<int>(second - tax::lawEditions().data()) + 1 : 0);
    }
    for (int i = 0; i < kEntryCount; ++i)
        mirror(static_cast<Entry>(i));
    showResults();
}

void FormNijiSouzoku::mirror(Entry e)
{
    kz::ui::EntryField* f = field(e);
    const QString text = kz::ui::qs(form_.text(e));
    if (f->text() != text)
        f->setText(text);
}

void FormNijiSouzoku::showResults()
{
    headline->setText(kz::second::headline(form_));
    const Figures& f = form_.figures();
    familyNote->setText(kz::ui::qs(form_.note()));
    familyNote->setVisible(!form_.note().empty());
    for (std::size_t i = 0; i < figures_.size(); ++i)
        figures_[i]->setText(shownAmount(f.*(kStudyFigures[i].value)));
    const auto rows = static_cast<int>(form_.table().size());
    if (table->rowCount() != rows) {
        table->setRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                if (!table->item(r, c)) {
                    auto* item = new QTableWidgetItem;
                    item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
                    table->setItem(r, c, item);
                }
    }
    int r = 0;
    for (const TableRow& row : form_.table()) {
        const QStringList cells = tableCells(row, form_);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            table->item(r, c)->setText(cells[c]);
        ++r;
    }
    chart->update();
    if (commands_)
        commands_->refreshSteps();
}

} // namespace kz::second
