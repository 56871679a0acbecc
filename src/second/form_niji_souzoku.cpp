// SPDX-License-Identifier: MIT
#include "second/form_niji_souzoku.h"

#include "core/common/format.h"
#include "core/case/cases.h"
#include "report/output.h"
#include "report/steps_window.h"
#include "second/study_chart.h"
#include "second/study_report.h"
#include "second/study_texts.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/entry_field.h"
#include "ui/windows.h"

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

    auto* inputs = new QGroupBox(u"条件"_s, this);
    auto* form = new QFormLayout(inputs);
    for (int i = 0; i < kEntryCount; ++i) {
        const Entry e = static_cast<Entry>(i);
        auto* f = new kz::ui::EntryField(inputs);
        f->setObjectName(QString::fromUtf16(kEntryNames[i]));
        f->setAccessibleName(QString::fromUtf16(entryCaption(e)));
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setText(kz::ui::qs(m_form.text(e)));
        connect(f, &QLineEdit::textEdited, this, [this, e](const QString& t) { m_form.setText(e, kz::ui::utf8(t)); });
        f->onFocusIn = [this, e, f] {
            m_form.gotFocus(e);
            f->setSelection(static_cast<int>(f->text().size()), -static_cast<int>(f->text().size()));
        };
        f->onFocusOut = [this, e] { m_form.lostFocus(e); };
        f->onEnter = [this, e] { field(StudyForm::enterTarget(e))->setFocus(Qt::TabFocusReason); };
        form->addRow(f->accessibleName(), f);
        m_fields[static_cast<std::size_t>(i)] = f;
    }
    firstLaw = new QComboBox(inputs);
    secondLaw = new QComboBox(inputs);
    secondLaw->addItem(u"一次相続と同じ"_s);
    for (const tax::LawEdition& law : tax::lawEditions()) {
        firstLaw->addItem(QString::fromUtf16(law.name));
        secondLaw->addItem(QString::fromUtf16(law.name));
    }
    firstLaw->setAccessibleName(u"一次相続の法令"_s);
    secondLaw->setAccessibleName(u"二次相続の法令"_s);
    form->addRow(firstLaw->accessibleName(), firstLaw);
    form->addRow(secondLaw->accessibleName(), secondLaw);
    connect(firstLaw, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (i >= 0)
            m_form.setLaw(tax::lawEditions()[static_cast<std::size_t>(i)]);
    });
    connect(secondLaw, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_form.setSecondLaw(i > 0 ? &tax::lawEditions()[static_cast<std::size_t>(i - 1)] : nullptr);
    });

    bestButton = new kz::ui::CommandButton(u"最も少ない割合にする"_s, this);
    bestButton->setObjectName(u"BestShare"_s);
    bestButton->setToolTip(u"一次・二次の合計が最も少ない割合にします。同じ合計の割合が続くときは、"
                           u"その中でいま選んでいる割合に最も近い割合にします。"_s);
    connect(bestButton, &QPushButton::clicked, this, [this] { m_form.chooseOptimum(); });

    auto* results = new QGroupBox(u"選んだ割合の税額（千円）"_s, this);
    auto* grid = new QGridLayout(results);
    // Whose family the figures are of, above them: the sheet's, or one typed here and why.
    familyNote = new QLabel(results);
    familyNote->setObjectName(u"FamilyNote"_s);
    familyNote->setWordWrap(true);
    grid->addWidget(familyNote, 0, 0, 1, 2);
    for (const StudyFigure& row : kStudyFigures) {
        const int r = static_cast<int>(m_figures.size()) + 1;
        grid->addWidget(new QLabel(kz::ui::qs(row.caption), results), r, 0);
        auto* value = new QLabel(results);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleDescription(kz::ui::qs(row.caption));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        m_figures.push_back(value);
    }
    QFont bold = m_figures.back()->font();
    bold.setBold(true);
    m_figures.back()->setFont(bold);

    // Its steps and the study as a report, as the tax sheet has them: the 計算過程 window, a
    // PDF file or the print preview.
    const auto command = [this](const QString& caption, const QString& name, QKeyCombination key, void (FormNijiSouzoku::*act)()) {
        auto* b = new kz::ui::CommandButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(QString(caption).remove(u'…'));
        connect(b, &QPushButton::clicked, this, act);
        kz::ui::bindKey(b, key, this);
        return b;
    };
    stepsButton = command(u"計算過程"_s, u"StepsCommand"_s, QKeyCombination(Qt::Key_F2), &FormNijiSouzoku::showSteps);
    saveButton = command(u"PDFに保存…"_s, u"SaveCommand"_s, QKeyCombination(Qt::CTRL, Qt::Key_S), &FormNijiSouzoku::saveReport);
    previewButton = command(u"印刷プレビュー…"_s, u"PreviewCommand"_s, QKeyCombination(Qt::CTRL, Qt::Key_P),
                            &FormNijiSouzoku::previewReport);
    // The case in a file; Ctrl+S is the PDF's, so a case saves with Ctrl+Shift+S, the
    // common key of a save that asks for the file's name.
    openButton = command(u"開く…"_s, u"OpenCommand"_s, QKeyCombination(Qt::CTRL, Qt::Key_O), &FormNijiSouzoku::openFile);
    saveCaseButton = command(u"保存…"_s, u"SaveCaseCommand"_s, QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_S),
                             &FormNijiSouzoku::saveCase);
    closeButton = new kz::ui::CommandButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"CloseButton"_s);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    // Esc closes it, as it closes the help and the 計算過程 windows.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    kz::ui::registerWindow(kz::ui::WindowKind::StudySteps, [this] {
        return new kz::report::StepsWindow(u"計算過程 － 二次相続シミュレーション"_s, [this] { return studyStepsPage(m_form); },
                                           this);
    });

    chart = new StudyChart(m_form, this);
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
    auto* commands = new QHBoxLayout;
    commands->addWidget(stepsButton);
    commands->addWidget(saveButton);
    commands->addWidget(previewButton);
    commands->addWidget(openButton);
    commands->addWidget(saveCaseButton);
    commands->addStretch();
    commands->addWidget(closeButton);
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

    setTabOrder(m_fields.back(), firstLaw);
    setTabOrder(firstLaw, secondLaw);
    setTabOrder(secondLaw, bestButton);
    setTabOrder(bestButton, table);
    setTabOrder(table, stepsButton);
    setTabOrder(stepsButton, saveButton);
    setTabOrder(saveButton, previewButton);
    setTabOrder(previewButton, openButton);
    setTabOrder(openButton, saveCaseButton);
    setTabOrder(saveCaseButton, closeButton);
    setTabOrder(closeButton, retakeButton); // an added command: after the window's own order

    m_form.textChanged = [this](Entry e) { mirror(e); };
    m_form.recomputed = [this] { showResults(); };
    showResults();
    resize(1100, 680);
    kz::ui::placeOnScreen(this, 2, 2);
    kz::report::acceptCaseDrops(this);
    // The first entry has the focus on arrival, also where a small screen puts the window's
    // content into a scroll area and the command above the entries would come first.
    field(Entry::Estate)->setFocus(Qt::OtherFocusReason);
}

FormNijiSouzoku::~FormNijiSouzoku()
{
    m_form.textChanged = nullptr;
    m_form.recomputed = nullptr;
    for (kz::ui::EntryField* f : m_fields)
        f->onFocusIn = f->onFocusOut = nullptr;
}

void FormNijiSouzoku::takeCase(const tax::TaxSheet& sheet)
{
    const SheetCase c = fromSheet(sheet);
    if (c.refusal != SheetRefusal::None) {
        QMessageBox box(QMessageBox::Question, u"二次相続"_s,
                        u"この計算シートの家族は二次相続で試算できません。\n理由："_s + kz::ui::qs(refusalReason(c.refusal))
                            + u"ため。\n\n計算シートから取らずに、二次相続を単独で開きますか？"_s,
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::Yes);
        if (box.exec() != QMessageBox::Yes) {
            if (!m_retaking) // asked again from here, the study stays as it was
                close();
            return;
        }
        m_form.setStandalone(c.refusal);
        source->setText(u"入力した事例（計算シートから取り込んでいません）"_s);
        activateWindow();
        return;
    }
    StudyInput in = c.input;
    // The spouse's own assets and the years are not on the sheet: they stay as set here.
    in.spouseAssets = m_form.input().spouseAssets;
    in.years = m_form.input().years;
    in.secondLaw = m_form.input().secondLaw;
    const QSignalBlocker block(firstLaw);
    firstLaw->setCurrentIndex(static_cast<int>(in.law - tax::lawEditions().data()));
    m_form.setFromSheet(true);
    m_form.setInput(in);
    source->setText(u"相続税計算シートから取り込み "_s + QTime::currentTime().toString(u"HH:mm"_s));
}

void FormNijiSouzoku::retakeCase()
{
    if (auto* sheet = dynamic_cast<tax::CaseSource*>(kz::ui::openWindow(kz::ui::WindowKind::TaxSheet))) {
        m_retaking = true;
        sheet->sendCase(*this);
        m_retaking = false;
        return;
    }
    QMessageBox box(QMessageBox::Information, u"二次相続シミュレーション"_s,
                    u"相続税計算シートが開いていないため、取り込めません。"_s, QMessageBox::Ok, this);
    box.exec();
}

void FormNijiSouzoku::showSteps() { kz::ui::showWindow(kz::ui::WindowKind::StudySteps); }

void FormNijiSouzoku::saveReport()
{
    kz::report::Document doc = studyReport(m_form, *chart, kz::report::reportDate());
    kz::report::attachCase(doc, fileCase());
    kz::report::saveWithDialog(this, doc, u"二次相続試算"_s, &m_client);
}

void FormNijiSouzoku::previewReport()
{
    kz::report::showPreview(this, studyReport(m_form, *chart, kz::report::reportDate()), &m_client);
}

kz::cases::FileCase FormNijiSouzoku::fileCase() const
{
    kz::cases::FileCase c;
    c.window = kz::cases::Window::Second;
    c.second = kz::cases::secondCase(m_form);
    return c;
}

// The study computes on every change: it holds a case once it has an estate to divide.
bool FormNijiSouzoku::holdsCalculatedCase() const { return m_form.input().estate > 0; }

void FormNijiSouzoku::openCase(const kz::cases::FileCase& c)
{
    // No field stays under edit: leaving it later would store its text into the new model.
    openButton->setFocus(Qt::OtherFocusReason);
    kz::ui::EntryField::leaveFieldUnderEdit(this);
    auto changed = std::move(m_form.textChanged);
    auto recomputed = std::move(m_form.recomputed);
    m_form = kz::cases::computeSecond(c.second);
    m_form.textChanged = std::move(changed);
    m_form.recomputed = std::move(recomputed);
    {
        const QSignalBlocker blockFirst(firstLaw), blockSecond(secondLaw);
        firstLaw->setCurrentIndex(static_cast<int>(m_form.input().law - tax::lawEditions().data()));
        const tax::LawEdition* second = m_form.input().secondLaw;
        secondLaw->setCurrentIndex(second ? static_cast<int>(second - tax::lawEditions().data()) + 1 : 0);
    }
    for (int i = 0; i < kEntryCount; ++i)
        mirror(static_cast<Entry>(i));
    showResults();
}

void FormNijiSouzoku::saveCase() { kz::report::saveCaseWithDialog(this, fileCase(), u"二次相続試算"_s, m_client); }

void FormNijiSouzoku::openFile() { kz::report::openCaseWithDialog(this); }

void FormNijiSouzoku::mirror(Entry e)
{
    kz::ui::EntryField* f = field(e);
    const QString text = kz::ui::qs(m_form.text(e));
    if (f->text() != text)
        f->setText(text);
}

void FormNijiSouzoku::showResults()
{
    headline->setText(kz::second::headline(m_form));
    const Figures& f = m_form.figures();
    familyNote->setText(kz::ui::qs(m_form.note()));
    familyNote->setVisible(!m_form.note().empty());
    for (std::size_t i = 0; i < m_figures.size(); ++i)
        m_figures[i]->setText(shownAmount(f.*(kStudyFigures[i].value)));
    const auto rows = static_cast<int>(m_form.table().size());
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
    for (const TableRow& row : m_form.table()) {
        const QStringList cells = tableCells(row, m_form);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            table->item(r, c)->setText(cells[c]);
        ++r;
    }
    chart->update();
    if (auto* steps = dynamic_cast<kz::report::StepsWindow*>(kz::ui::openWindow(kz::ui::WindowKind::StudySteps)))
        steps->refresh();
}

} // namespace kz::second
