// SPDX-License-Identifier: MIT
#include "second/form_niji_souzoku.h"

#include "common/format.h"
#include "case/cases.h"
#include "report/output.h"
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
    connect(bestButton, &QPushButton::clicked, this, [this] { m_form.chooseOptimum(); });

    auto* results = new QGroupBox(u"選んだ割合の税額（千円）"_s, this);
    auto* grid = new QGridLayout(results);
    // Whose family the figures are of, above them: the sheet's, or one typed here and why.
    familyNote = new QLabel(results);
    familyNote->setObjectName(u"FamilyNote"_s);
    familyNote->setWordWrap(true);
    grid->addWidget(familyNote, 0, 0, 1, 2);
    for (const FigureRow& row : kFigureRows) {
        const int r = static_cast<int>(m_figures.size()) + 1;
        grid->addWidget(new QLabel(QString::fromUtf16(row.caption), results), r, 0);
        auto* value = new QLabel(results);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleDescription(QString::fromUtf16(row.caption));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, r, 1);
        m_figures.push_back(value);
    }
    QFont bold = m_figures.back()->font();
    bold.setBold(true);
    m_figures.back()->setFont(bold);

    // The study as a report, as the tax sheet makes one: a PDF file or the print preview.
    const auto command = [this](const QString& caption, const QString& name, QKeyCombination key, void (FormNijiSouzoku::*act)()) {
        auto* b = new kz::ui::CommandButton(caption, this);
        b->setObjectName(name);
        b->setAccessibleName(QString(caption).remove(u'…'));
        b->setAccessibleDescription(QKeySequence(key).toString(QKeySequence::NativeText));
        connect(b, &QPushButton::clicked, this, act);
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        connect(shortcut, &QShortcut::activated, b, [b] {
            b->setFocus(Qt::ShortcutFocusReason); // the field under edit is left first
            b->click();
        });
        return b;
    };
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

    chart = new StudyChart(m_form, this);
    table = new QTableWidget(13, 5, this);
    table->setObjectName(u"StudyTable"_s);
    table->setAccessibleName(u"配偶者の取得割合ごとの税額表（千円）"_s);
    table->setHorizontalHeaderLabels(tableColumns());
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false); // Tab leaves the table; the arrows move inside it
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(c == 0 ? Qt::AlignCenter : Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    table->setMinimumHeight(table->verticalHeader()->defaultSectionSize() * 13 + table->horizontalHeader()->sizeHint().height() + 4);

    auto* left = new QVBoxLayout;
    left->addWidget(inputs);
    left->addWidget(bestButton);
    left->addWidget(results);
    left->addStretch();
    auto* commands = new QHBoxLayout;
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
    auto* root = new QHBoxLayout(this);
    root->addLayout(left);
    root->addLayout(right, 1);

    setTabOrder(m_fields.back(), firstLaw);
    setTabOrder(firstLaw, secondLaw);
    setTabOrder(secondLaw, bestButton);
    setTabOrder(bestButton, table);
    setTabOrder(table, saveButton);
    setTabOrder(saveButton, previewButton);
    setTabOrder(previewButton, openButton);
    setTabOrder(openButton, saveCaseButton);
    setTabOrder(saveCaseButton, closeButton);

    m_form.textChanged = [this](Entry e) { mirror(e); };
    m_form.recomputed = [this] { showResults(); };
    showResults();
    resize(1100, 680);
    kz::ui::placeOnScreen(this, 2, 2);
    kz::report::acceptCaseDrops(this);
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
            close();
            return;
        }
        m_form.setStandalone(c.refusal);
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
}

void FormNijiSouzoku::saveReport()
{
    kz::report::Document doc = studyReport(m_form, *chart, kz::report::reportDate());
    kz::report::attachCase(doc, fileCase());
    kz::report::saveWithDialog(this, doc, u"二次相続試算"_s);
}

void FormNijiSouzoku::previewReport()
{
    kz::report::showPreview(this, studyReport(m_form, *chart, kz::report::reportDate()));
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

void FormNijiSouzoku::saveCase() { kz::report::saveCaseWithDialog(this, fileCase(), u"二次相続試算"_s); }

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
    const Figures& f = m_form.figures();
    familyNote->setText(kz::ui::qs(m_form.note()));
    familyNote->setVisible(!m_form.note().empty());
    for (std::size_t i = 0; i < m_figures.size(); ++i)
        m_figures[i]->setText(shownAmount(f.*(kFigureRows[i].value)));
    int r = 0;
    for (const TableRow& row : m_form.table()) {
        const QStringList cells = tableCells(row);
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            table->item(r, c)->setText(cells[c]);
        ++r;
    }
    chart->update();
}

} // namespace kz::second
