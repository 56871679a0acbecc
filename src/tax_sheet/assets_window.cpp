// SPDX-License-Identifier: MIT
#include "tax_sheet/assets_window.h"

#include "core/common/format.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/entry_field.h"
#include "ui/placement.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <functional>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace kz::tax {

namespace {

namespace a = kz::assets;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

const QString kColumns[a::kMaxPersons] = {u"配偶者"_s, u"相続人 2"_s, u"相続人 3"_s, u"相続人 4"_s, u"受遺者"_s};
enum ItemColumn { Who, Kind, Amount, Area, Chosen, Date, kItemColumns };
enum PersonColumn { Column, Name, Heir, kFirstResult, kPersonColumns = kFirstResult + a::kRows };
constexpr int kChoice = Qt::UserRole;

// A cell that picks one of a few choices: a drop-down opened by any key, F2 or a double click;
// the index stays in the cell's data, the caption is what it shows.
class ChoiceDelegate : public QStyledItemDelegate {
public:
    ChoiceDelegate(std::function<QStringList()> choices, QObject* parent)
        : QStyledItemDelegate(parent), choices_(std::move(choices))
    {
    }
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* box = new QComboBox(parent);
        box->addItems(choices_());
        return box;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QComboBox*>(editor)->setCurrentIndex(index.data(kChoice).toInt());
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const int i = static_cast<QComboBox*>(editor)->currentIndex();
        model->setData(index, choices_().value(i), Qt::DisplayRole);
        model->setData(index, i, kChoice);
    }

private:
    std::function<QStringList()> choices_; // the persons' names change as they are typed
};

// A person as the items name it: the sheet's column, and the name where one is typed.
QString personCaption(const a::EstateTexts& t, int p)
{
    const QString name = qs(t.persons[static_cast<std::size_t>(p)].name);
    return name.isEmpty() || name == kColumns[p] ? kColumns[p] : kColumns[p] + u"（"_s + name + u"）"_s;
}

QStringList kindCaptions()
{
    QStringList out;
    for (int k = 0; k < a::kKindCount; ++k)
        out << qs(a::kindCaption(static_cast<a::Kind>(k)));
    return out;
}

QTableWidgetItem* readOnly(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

QTableWidget* table(int rows, int columns, const QStringList& headers, const QString& name, QWidget* parent)
{
    auto* t = new QTableWidget(rows, columns, parent);
    t->setHorizontalHeaderLabels(headers);
    t->setAccessibleName(name);
    // Tab leaves the table; the arrows move inside it.
    t->setTabKeyNavigation(false);
    t->setEditTriggers(QAbstractItemView::AllEditTriggers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->setDefaultSectionSize(22);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return t;
}

} // namespace

AssetsWindow::AssetsWindow(TaxSheet& sheet, a::SheetAssets& assets, std::function<void()> onFilled, QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow), sheet_(sheet), assets_(assets), onFilled_(std::move(onFilled))
{
    kz::ui::setWindowFont(this);
    setObjectName(u"AssetsWindow"_s);
    setWindowTitle(u"財産の内訳"_s);
    setFixedSize(960, 520);

    auto* top = new QHBoxLayout;
    auto field = [&](const QString& caption, const QString& placeholder) {
        auto* label = new QLabel(caption, this);
        auto* edit = new QLineEdit(this);
        edit->setPlaceholderText(placeholder);
        edit->setAccessibleName(QString(caption).remove(u'&'));
        label->setBuddy(edit);
        top->addWidget(label);
        top->addWidget(edit);
        return edit;
    };
    deathField = field(u"相続開始日(&D)"_s, u"2028-06-21"_s);
    deathField->setFixedWidth(110);
    heirsField = field(u"法定相続人数(&N)"_s, u"3"_s);
    heirsField->setFixedWidth(48);
    top->addWidget(new QLabel(u"人"_s, this));
    heirsSource = new QLabel(this);
    top->addWidget(heirsSource);
    top->addStretch();
    lawNote = new QLabel(this);
    top->addWidget(lawNote);

    QStringList personHeaders{u"列"_s, u"氏名"_s, u"相続人"_s};
    for (const char* c : {"取得した額", "みなし相続財産", "非課税財産", "債務", "葬式費用", "贈与加算"})
        personHeaders << QString::fromUtf8(c);
    persons = table(a::kMaxPersons, kPersonColumns, personHeaders, u"各人の金額"_s, this);
    persons->verticalHeader()->hide();
    persons->setFixedHeight(22 * a::kMaxPersons + persons->horizontalHeader()->sizeHint().height() + 4);

    items = table(0, kItemColumns, {u"人"_s, u"種類"_s, u"金額（千円）"_s, u"面積（㎡）"_s, u"特例の面積（㎡）"_s, u"贈与日"_s},
                  u"財産・債務・贈与の明細"_s, this);
    items->setItemDelegateForColumn(Who, new ChoiceDelegate(
                                              [this] {
                                                  QStringList out;
                                                  for (int p = 0; p < a::kMaxPersons; ++p)
                                                      out << personCaption(assets_.texts, p);
                                                  return out;
                                              },
                                              items));
    items->setItemDelegateForColumn(Kind, new ChoiceDelegate([] { return kindCaptions(); }, items));
    items->horizontalHeader()->setSectionResizeMode(Kind, QHeaderView::Fixed);
    items->setColumnWidth(Kind, 210);

    auto* itemTitle = new QLabel(u"財産・債務・贈与の明細(&I)　宅地の特例の面積が空のときは宅地の面積全部"_s, this);
    itemTitle->setBuddy(items);
    auto* personTitle = new QLabel(u"各人の金額(&P)　シートの６項目になります"_s, this);
    personTitle->setBuddy(persons);
    areaUse = new QLabel(this);
    areaUse->setAccessibleName(u"小規模宅地等の限度面積"_s);
    message = new QLabel(this);
    message->setWordWrap(true);
    message->setStyleSheet(u"color: #b00000"_s);

    auto* commands = new QHBoxLayout;
    auto command = [&](const QString& caption, QKeyCombination key, void (AssetsWindow::*act)()) {
        auto* b = new kz::ui::CommandButton(caption, this);
        b->setAccessibleName(caption);
        connect(b, &QPushButton::clicked, this, act);
        kz::ui::bindKey(b, key, this);
        commands->addWidget(b);
        return b;
    };
    addButton = command(u"行を追加"_s, QKeyCombination(Qt::CTRL, Qt::Key_N), &AssetsWindow::addItem);
    removeButton = command(u"行を削除"_s, QKeyCombination(Qt::CTRL, Qt::Key_Delete), &AssetsWindow::removeItem);
    commands->addStretch();
    fillButton = command(u"シートへ反映"_s, QKeyCombination(Qt::CTRL, Qt::Key_Return), &AssetsWindow::fillSheet);
    closeButton = new kz::ui::CommandButton(u"閉じる"_s, this);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    commands->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(personTitle);
    layout->addWidget(persons);
    layout->addWidget(itemTitle);
    layout->addWidget(items, 1);
    layout->addWidget(areaUse);
    layout->addWidget(message);
    layout->addLayout(commands);

    kz::ui::placeOnScreen(this, 2, 2);
    load();
    connect(deathField, &QLineEdit::textChanged, this, &AssetsWindow::readBack);
    connect(heirsField, &QLineEdit::textChanged, this, &AssetsWindow::readBack);
    connect(persons, &QTableWidget::itemChanged, this, &AssetsWindow::readBack);
    connect(items, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!loading_ && item->column() == Kind)
            enableCells(item->row());
        readBack();
    });
    refresh();
    deathField->setFocus(Qt::OtherFocusReason);
}

void AssetsWindow::load()
{
    loading_ = true;
    const a::EstateTexts& t = assets_.texts;
    deathField->setText(qs(t.death));
    // The tax count is the sheet's once it has one (typed there or from the family).
    const int fromSheet = a::sheetTaxHeirs(sheet_);
    heirsField->setText(fromSheet > 0 ? QString::number(fromSheet) : qs(t.taxHeirs));
    heirsField->setReadOnly(fromSheet > 0);
    heirsSource->setText(fromSheet > 0 ? u"（シートの法定相続人数）"_s : QString());
    for (int p = 0; p < a::kMaxPersons; ++p) {
        persons->setItem(p, Column, readOnly(kColumns[p]));
        persons->setItem(p, Name, new QTableWidgetItem(qs(t.persons[static_cast<std::size_t>(p)].name)));
        auto* heir = new QTableWidgetItem;
        heir->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        heir->setCheckState(t.persons[static_cast<std::size_t>(p)].heir ? Qt::Checked : Qt::Unchecked);
        heir->setData(Qt::AccessibleTextRole, kColumns[p] + u" 相続人"_s);
        persons->setItem(p, Heir, heir);
        for (int r = 0; r < a::kRows; ++r) {
            auto* result = readOnly(QString());
            result->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            persons->setItem(p, kFirstResult + r, result);
        }
    }
    items->setRowCount(static_cast<int>(t.items.size()));
    for (std::size_t i = 0; i < t.items.size(); ++i)
        setItemRow(static_cast<int>(i), t.items[i]);
    loading_ = false;
}

void AssetsWindow::setItemRow(int row, const a::ItemTexts& item)
{
    auto choice = [](const QString& text, int index) {
        auto* cell = new QTableWidgetItem(text);
        cell->setData(kChoice, index);
        return cell;
    };
    items->setItem(row, Who, choice(personCaption(assets_.texts, item.person), item.person));
    items->setItem(row, Kind, choice(qs(a::kindCaption(item.kind)), static_cast<int>(item.kind)));
    const std::string* texts[] = {&item.amount, &item.area, &item.chosen, &item.date};
    for (int c = Amount; c <= Date; ++c) {
        auto* cell = new QTableWidgetItem(qs(*texts[c - Amount]));
        cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        items->setItem(row, c, cell);
    }
    enableCells(row);
}

// Only what the kind has is editable: ㎡ for land, a date for a gift.
void AssetsWindow::enableCells(int row)
{
    const auto kind = static_cast<a::Kind>(items->item(row, Kind)->data(kChoice).toInt());
    const bool wasLoading = std::exchange(loading_, true);
    for (int c : {Area, Chosen, Date}) {
        QTableWidgetItem* cell = items->item(row, c);
        if (!cell)
            continue;
        const bool has = c == Date ? kind == a::Kind::Gift : a::isLand(kind);
        // Not editable, but still a place the arrows pass through on their way along the line.
        cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | (has ? Qt::ItemIsEditable : Qt::NoItemFlags));
        cell->setBackground(has ? QBrush() : palette().brush(QPalette::Disabled, QPalette::Base));
        if (!has)
            cell->setText(QString());
    }
    loading_ = wasLoading;
}

void AssetsWindow::readBack()
{
    if (loading_)
        return;
    a::EstateTexts& t = assets_.texts;
    t.death = deathField->text().trimmed().toStdString();
    t.taxHeirs = heirsField->text().trimmed().toStdString();
    for (int p = 0; p < a::kMaxPersons; ++p) {
        t.persons[static_cast<std::size_t>(p)].name = persons->item(p, Name)->text().toStdString();
        t.persons[static_cast<std::size_t>(p)].heir = persons->item(p, Heir)->checkState() == Qt::Checked;
    }
    t.items.resize(static_cast<std::size_t>(items->rowCount()));
    for (int r = 0; r < items->rowCount(); ++r) {
        a::ItemTexts& item = t.items[static_cast<std::size_t>(r)];
        auto text = [&](int c) { return items->item(r, c) ? items->item(r, c)->text().trimmed().toStdString() : std::string(); };
        item.person = items->item(r, Who) ? items->item(r, Who)->data(kChoice).toInt() : 0;
        item.kind = items->item(r, Kind) ? static_cast<a::Kind>(items->item(r, Kind)->data(kChoice).toInt()) : a::Kind::Property;
        item.amount = text(Amount);
        item.area = text(Area);
        item.chosen = text(Chosen);
        item.date = text(Date);
    }
    refresh();
}

void AssetsWindow::refresh()
{
    const bool wasLoading = std::exchange(loading_, true);
    QString use, error;
    std::optional<a::Worked> worked;
    try {
        const a::Estate e = a::readEstate(assets_.texts, a::lawOf(sheet_));
        worked = a::compute(e);
    } catch (const a::AssetsError& err) {
        error = QString::fromUtf8(err.what());
    }
    for (int p = 0; p < a::kMaxPersons; ++p) {
        const bool shown = worked && a::hasItems(assets_.texts, p);
        for (int r = 0; r < a::kRows; ++r)
            persons->item(p, kFirstResult + r)
                ->setText(shown ? qs(formatGrouped(worked->persons[static_cast<std::size_t>(p)].rows[static_cast<std::size_t>(r)]))
                                : QString());
    }
    if (worked)
        for (const a::RuleUse& r : worked->rules)
            use += (use.isEmpty() ? u"小規模宅地等　"_s : u"　"_s) + qs(r.rule->caption) + u"："_s + qs(a::ruleUseText(r));
    areaUse->setText(use);
    for (int row = 0; row < items->rowCount(); ++row)
        if (QTableWidgetItem* who = items->item(row, Who))
            who->setText(personCaption(assets_.texts, who->data(kChoice).toInt()));
    // The rules are those of the law the sheet follows now.
    lawNote->setText(qs(a::lawOf(sheet_).caption) + u"　金額は千円"_s);
    message->setStyleSheet(u"color: #b00000"_s);
    message->setText(error);
    fillButton->setEnabled(worked.has_value() && !assets_.texts.items.empty());
    loading_ = wasLoading;
}

void AssetsWindow::addItem()
{
    const int row = items->rowCount();
    const int current = items->currentRow();
    a::ItemTexts item;
    // A new line goes to the person of the line in hand, as a list is usually typed.
    item.person = current >= 0 && items->item(current, Who) ? items->item(current, Who)->data(kChoice).toInt() : 0;
    loading_ = true;
    items->insertRow(row);
    setItemRow(row, item);
    loading_ = false;
    readBack();
    items->setFocus(Qt::OtherFocusReason);
    items->setCurrentCell(row, Kind);
}

void AssetsWindow::removeItem()
{
    const int row = items->currentRow();
    if (row < 0)
        return;
    items->removeRow(row);
    readBack();
    items->setFocus(Qt::OtherFocusReason);
}

void AssetsWindow::fillSheet()
{
    if (parentWidget())
        kz::ui::EntryField::leaveFieldUnderEdit(parentWidget());
    try {
        a::fillSheet(assets_, sheet_);
    } catch (const a::AssetsError& err) {
        message->setText(QString::fromUtf8(err.what()));
        return;
    }
    QStringList columns;
    for (int p = 0; p < a::kMaxPersons; ++p)
        if (a::hasItems(assets_.texts, p))
            columns << kColumns[p];
    message->setStyleSheet(QString());
    message->setText(u"シートの "_s + columns.join(u"・"_s) + u" の欄に書き込み、納付税額計算をしました。"_s);
    if (onFilled_)
        onFilled_();
}

} // namespace kz::tax
