// SPDX-License-Identifier: MIT
#include "second/form_niji_souzoku.h"

#include "common/format.h"
#include "second/study_chart.h"
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
#include <QTableWidget>

using namespace Qt::StringLiterals;

namespace kz::second {
namespace {

struct EntryRow { const char16_t* caption; const char16_t* name; };
constexpr EntryRow kEntries[kEntryCount] = {
    {u"一次相続の課税価格の合計（千円）", u"Estate"},
    {u"子の人数（人）", u"Children"},
    {u"配偶者の取得額（千円）", u"Share"},
    {u"配偶者の取得割合（％）", u"Percent"},
    {u"配偶者の固有財産（千円）", u"Assets"},
    {u"二次相続までの年数（10は10年以上）", u"Years"},
};

struct FigureRow { const char16_t* caption; double Figures::*value; };
constexpr FigureRow kFigureRows[] = {
    {u"一次相続　相続税の総額", &Figures::firstTax},
    {u"配偶者の税額軽減", &Figures::reduction},
    {u"配偶者の納付税額", &Figures::spousePays},
    {u"子の納付税額（合計）", &Figures::childrenPay},
    {u"一次相続の納付税額", &Figures::firstPayable},
    {u"二次相続の課税価格", &Figures::secondEstate},
    {u"二次相続の基礎控除額", &Figures::secondDeduction},
    {u"二次相続　相続税の総額", &Figures::secondTax},
    {u"相次相続控除", &Figures::credit},
    {u"二次相続の納付税額", &Figures::secondPayable},
    {u"一次・二次の合計", &Figures::total},
};

QString amount(double v) { return kz::ui::qs(formatGrouped(static_cast<double>(shown(v)))); }
QString percentText(double v, int decimals) { return QString::number(v, 'f', decimals) + u" %"_s; }

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
        f->setObjectName(QString::fromUtf16(kEntries[i].name));
        f->setAccessibleName(QString::fromUtf16(kEntries[i].caption));
        f->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        f->setText(kz::ui::qs(m_form.text(e)));
        connect(f, &QLineEdit::textEdited, this, [this, e](const QString& t) { m_form.setText(e, kz::ui::utf8(t)); });
        f->onFocusIn = [this, e, f] {
            m_form.gotFocus(e);
            f->setSelection(static_cast<int>(f->text().size()), -static_cast<int>(f->text().size()));
        };
        f->onFocusOut = [this, e] { m_form.lostFocus(e); };
        f->onEnter = [this, e] { field(StudyForm::enterTarget(e))->setFocus(Qt::TabFocusReason); };
        form->addRow(QString::fromUtf16(kEntries[i].caption), f);
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
    for (const FigureRow& row : kFigureRows) {
        const int r = static_cast<int>(m_figures.size());
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

    closeButton = new kz::ui::CommandButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"CloseButton"_s);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    chart = new StudyChart(m_form, this);
    table = new QTableWidget(13, 5, this);
    table->setObjectName(u"StudyTable"_s);
    table->setAccessibleName(u"配偶者の取得割合ごとの税額表（千円）"_s);
    table->setHorizontalHeaderLabels({u"取得割合"_s, u"配偶者の取得額"_s, u"一次相続"_s, u"二次相続"_s, u"合計"_s});
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
    left->addWidget(closeButton, 0, Qt::AlignRight);
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
    setTabOrder(table, closeButton);

    m_form.textChanged = [this](Entry e) { mirror(e); };
    m_form.recomputed = [this] { showResults(); };
    showResults();
    resize(1100, 680);
    kz::ui::placeOnScreen(this, 2, 2);
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
    StudyInput in = fromSheet(sheet);
    // The spouse's own assets and the years are not on the sheet: they stay as set here.
    in.spouseAssets = m_form.input().spouseAssets;
    in.years = m_form.input().years;
    in.secondLaw = m_form.input().secondLaw;
    const QSignalBlocker block(firstLaw);
    firstLaw->setCurrentIndex(static_cast<int>(in.law - tax::lawEditions().data()));
    m_form.setInput(in);
}

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
    for (std::size_t i = 0; i < m_figures.size(); ++i)
        m_figures[i]->setText(amount(f.*(kFigureRows[i].value)));
    int r = 0;
    for (const TableRow& row : m_form.table()) {
        const QString share = row.kind == TableRow::Kind::Step ? percentText(row.percent, 0)
                              : row.kind == TableRow::Kind::Optimum ? u"最小 "_s + percentText(row.percent, 1)
                                                                    : u"選択 "_s + percentText(row.percent, 1);
        const QString cells[] = {share, amount(row.share), amount(row.figures.firstPayable),
                                 amount(row.figures.secondPayable), amount(row.figures.total)};
        for (int c = 0; c < 5; ++c)
            table->item(r, c)->setText(cells[c]);
        ++r;
    }
    chart->update();
}

} // namespace kz::second
