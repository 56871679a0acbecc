// SPDX-License-Identifier: MIT
#include "tax_sheet/family_window.h"

#include "core/common/format.h"
#include "core/family/family_steps.h"
#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/placement.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace kz::tax {

using family::Branch;
using family::Mark;
using family::Place;
using kz::ui::CommandButton;
using kz::ui::qs;

namespace {

constexpr std::array<const char16_t*, family::kMarkCount> kMarkText{
    u"被相続人より先に死亡", u"相続放棄",
    u"養子",                 u"実子とみなす養子（特別養子・配偶者の子）",
    u"孫養子（被相続人の孫などを養子に）", u"親の養子縁組前に出生（代襲しない）",
    u"半血（父母の一方だけが同じ）",       u"祖父母（２親等）",
};
constexpr std::array<const char16_t*, 4> kGroup{u"配偶者", u"子・孫", u"父母・祖父母", u"兄弟姉妹・甥姪"};

// A place as the text a tree item keeps: "1:0/2" is the decedent's first child's third child.
QString encode(const Place& p)
{
    QString out = QString::number(static_cast<int>(p.branch)) + u':';
    for (std::size_t i = 0; i < p.path.size(); ++i)
        out += (i ? u"/"_s : QString()) + QString::number(p.path[i]);
    return out;
}

std::optional<Place> decode(const QString& s)
{
    const QStringList parts = s.split(u':');
    if (parts.size() != 2)
        return std::nullopt;
    Place p{static_cast<Branch>(parts[0].toInt()), {}};
    for (const QString& i : parts[1].split(u'/', Qt::SkipEmptyParts))
        p.path.push_back(static_cast<std::size_t>(i.toInt()));
    return p;
}

} // namespace

FamilyWindow::FamilyWindow(const family::Family& start, std::function<void(const family::Family&)> apply, QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
    , apply_(std::move(apply))
{
    setObjectName(u"FamilyWindow"_s);
    setWindowTitle(u"相続人の判定"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    kz::ui::setWindowFont(this);

    auto* grid = new QGridLayout(this);
    tree = new QTreeWidget(this);
    tree->setObjectName(u"FamilyTree"_s);
    tree->setAccessibleName(u"家族"_s);
    tree->setHeaderLabels({u"名前"_s, u"続柄・状態"_s});
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    grid->addWidget(tree, 0, 0, 1, 2);

    // The commands that add and remove persons, each named for what it does.
    auto* commands = new QGridLayout;
    auto command = [&](const QString& text, const QString& tip, int row, int column, auto act) {
        auto* b = new CommandButton(text, this);
        b->setToolTip(tip);
        commands->addWidget(b, row, column);
        connect(b, &QPushButton::clicked, this, act);
        return b;
    };
    command(u"配偶者を追加"_s, u"被相続人の配偶者を加えます"_s, 0, 0, [this] { add(model_.addSpouse()); });
    command(u"子を追加"_s, u"選んだ人の子（孫・甥姪）を、選んでいなければ被相続人の子を加えます"_s, 0, 1, [this] {
        const auto under = selected();
        auto place = model_.addChild(under && !under->path.empty() ? under : std::nullopt);
        add(place);
    });
    command(u"父母を追加"_s, u"被相続人の父母（実父母・養父母）を加えます"_s, 0, 2, [this] { add(model_.addAscendant(1)); });
    command(u"祖父母を追加"_s, u"被相続人の祖父母を加えます"_s, 1, 0, [this] { add(model_.addAscendant(2)); });
    command(u"兄弟姉妹を追加"_s, u"被相続人の兄弟姉妹を加えます"_s, 1, 1, [this] { add(model_.addSibling()); });
    command(u"同一人を追加"_s, u"選んだ人の子の欄に、孫養子として入力済みの人を置きます（養子で代襲相続人）"_s, 1, 2, [this] {
        if (const auto under = selected())
            add(model_.addSameAs(*under));
    });
    command(u"削除"_s, u"選んだ人を、その子とともに外します"_s, 2, 2, [this] {
        if (const auto place = selected(); place && (!place->path.empty() || place->branch == Branch::Spouse)) {
            model_.remove(*place);
            rebuild();
        }
    });
    grid->addLayout(commands, 1, 0, 1, 2);

    // The person's name and marks.
    auto* nameLabel = new QLabel(u"名前"_s, this);
    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(u"NameEdit"_s);
    nameEdit->setAccessibleName(u"名前"_s);
    nameLabel->setBuddy(nameEdit);
    grid->addWidget(nameLabel, 2, 0);
    grid->addWidget(nameEdit, 2, 1);
    connect(nameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (const auto place = selected())
            model_.setName(*place, kz::ui::utf8(text));
    });
    auto* marksBox = new QGridLayout;
    for (int m = 0; m < family::kMarkCount; ++m) {
        auto* box = new QCheckBox(QString::fromUtf16(kMarkText[static_cast<std::size_t>(m)]), this);
        box->setObjectName(u"Mark%1"_s.arg(m));
        marksBox->addWidget(box, m / 2, m % 2);
        connect(box, &QCheckBox::clicked, this, [this, m](bool on) {
            if (const auto place = selected())
                model_.setMark(*place, static_cast<Mark>(m), on);
        });
        marks[static_cast<std::size_t>(m)] = box;
    }
    grid->addLayout(marksBox, 3, 0, 1, 2);

    // The judgement beside the family.
    result = new QTableWidget(0, 6, this);
    result->setObjectName(u"ResultTable"_s);
    result->setAccessibleName(u"判定結果"_s);
    result->setHorizontalHeaderLabels(
        {u"名前"_s, u"続柄"_s, u"法定相続分"_s, u"割合"_s, u"相続税の総額の計算上"_s, u"２割加算"_s});
    result->verticalHeader()->hide();
    result->setEditTriggers(QAbstractItemView::NoEditTriggers);
    result->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    grid->addWidget(result, 0, 2, 2, 2);
    summary = new QLabel(this);
    summary->setObjectName(u"Summary"_s);
    summary->setWordWrap(true);
    summary->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    grid->addWidget(summary, 2, 2, 1, 2);
    message = new QLabel(this);
    message->setObjectName(u"Message"_s);
    message->setWordWrap(true);
    message->setStyleSheet(u"color: #b00000"_s);
    grid->addWidget(message, 3, 2, 1, 2);

    applyButton = new CommandButton(u"シートへ反映"_s, this);
    applyButton->setObjectName(u"ApplyCommand"_s);
    applyButton->setToolTip(u"法定相続人数・相続分・２割加算をシートに入れ、納付税額を計算します"_s);
    auto* closeButton = new CommandButton(u"閉じる"_s, this);
    closeButton->setObjectName(u"CloseCommand"_s);
    grid->addWidget(applyButton, 4, 2);
    grid->addWidget(closeButton, 4, 3);
    connect(applyButton, &QPushButton::clicked, this, [this] { apply_(model_.family()); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);

    connect(tree, &QTreeWidget::currentItemChanged, this, [this] { showPerson(); });
    model_.changed = [this] {
        rebuild();
        showResult();
    };
    model_.setFamily(start);
    // Within a 1366 x 768 screen at 125 % (1093 x 614 less the title bar and a taskbar).
    setFixedSize(1000, 540);
    kz::ui::placeOnScreen(this, 2, 2);
}

std::optional<Place> FamilyWindow::selected() const
{
    const QTreeWidgetItem* current = tree->currentItem();
    return current ? decode(current->data(0, Qt::UserRole).toString()) : std::nullopt;
}

void FamilyWindow::select(const Place& place)
{
    const QString key = encode(place);
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        if ((*it)->data(0, Qt::UserRole).toString() == key) {
            tree->setCurrentItem(*it);
            return;
        }
}

// A new person: chosen in the tree, his default name selected in the name field so that the
// first key typed replaces it.
void FamilyWindow::add(const std::optional<Place>& place)
{
    if (!place)
        return;
    rebuild();
    select(*place);
    nameEdit->setFocus(Qt::OtherFocusReason);
    nameEdit->selectAll();
}

QTreeWidgetItem* FamilyWindow::item(const family::Person& p, const Place& place, QTreeWidgetItem* parent)
{
    const family::Member& m = members_.at(member_++);
    auto* it = new QTreeWidgetItem(parent, {qs(m.name), qs(m.standing)});
    it->setData(0, Qt::UserRole, encode(place));
    if (p.sameAs.empty())
        for (std::size_t i = 0; i < p.children.size(); ++i) {
            Place child = place;
            child.path.push_back(i);
            item(p.children[i], child, it);
        }
    return it;
}

void FamilyWindow::rebuild()
{
    const std::optional<Place> keep = selected();
    const QSignalBlocker quiet(tree);
    tree->clear();
    const family::Family& f = model_.family();
    members_ = family::members(f);
    member_ = 0;
    std::array<QTreeWidgetItem*, 4> groups{};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        groups[g] = new QTreeWidgetItem(tree, {QString::fromUtf16(kGroup[g])});
        groups[g]->setData(0, Qt::UserRole, encode({static_cast<Branch>(g), {}}));
        QFont bold = groups[g]->font(0);
        bold.setBold(true);
        groups[g]->setFont(0, bold);
    }
    if (f.spouse) {
        // The spouse stands in the group's own line.
        groups[0]->setText(1, qs(members_.at(member_).standing));
        groups[0]->setText(0, u"配偶者："_s + qs(members_.at(member_++).name));
        groups[0]->setData(0, Qt::UserRole, encode({Branch::Spouse, {}}));
    }
    for (const auto& [branch, persons] : {std::pair{Branch::Children, &f.children}, std::pair{Branch::Ascendants, &f.ascendants},
                                          std::pair{Branch::Siblings, &f.siblings}})
        for (std::size_t i = 0; i < persons->size(); ++i)
            item((*persons)[i], {branch, {i}}, groups[static_cast<std::size_t>(branch)]);
    tree->expandAll();
    if (keep)
        select(*keep);
    showPerson();
}

void FamilyWindow::showPerson()
{
    const std::optional<Place> place = selected();
    const family::Person* p = place ? model_.person(*place) : nullptr;
    nameEdit->setEnabled(p != nullptr);
    if (!nameEdit->hasFocus() || !p)
        nameEdit->setText(p ? qs(p->sameAs.empty() ? p->name : p->sameAs) : QString());
    for (int m = 0; m < family::kMarkCount; ++m) {
        QCheckBox* box = marks[static_cast<std::size_t>(m)];
        const bool has = p && model_.has(*place, static_cast<Mark>(m));
        box->setEnabled(has);
        box->setChecked(has && model_.mark(*place, static_cast<Mark>(m)));
    }
}

void FamilyWindow::showResult()
{
    result->setRowCount(0);
    const auto& j = model_.judgement();
    applyButton->setEnabled(false);
    if (!j) {
        summary->clear();
        message->setText(qs(model_.refusal()));
        return;
    }
    auto row = [this](const QStringList& cells) {
        const int r = result->rowCount();
        result->insertRow(r);
        for (int c = 0; c < cells.size(); ++c) {
            auto* cell = new QTableWidgetItem(cells[c]);
            if (c >= 2)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            result->setItem(r, c, cell);
        }
    };
    auto taxShare = [&j](const std::string& name) {
        for (const family::Heir& h : j->taxShares)
            if (h.name == name)
                return qs(family::text(h.share));
        return u"－"_s;
    };
    for (const family::Heir& h : j->heirs)
        row({qs(h.name), qs(std::string(family::relationWord(h.relation))), qs(family::text(h.share)),
             qs(family::percent(h.share)), taxShare(h.name), h.surcharge ? u"あり"_s : u"なし"_s});
    // Those who count for the tax without inheriting: the renouncers.
    for (const family::Renouncer& r : j->renounced)
        row({qs(r.name), u"相続放棄"_s, u"－"_s, u"－"_s, taxShare(r.name), r.surcharge ? u"あり（遺贈）"_s : u"なし"_s});

    const LawEdition& law = *model_.family().law;
    const std::string why = family::countReason(*j);
    summary->setText(u"相続順位：%1\n法定相続人の数（相続税）：%2 人%3\n基礎控除額：%4 千円（%5）"_s.arg(
        qs(std::string(family::orderWord(j->order))), QString::number(j->taxHeirs),
        why.empty() ? QString() : u"（"_s + qs(why) + u"）"_s, qs(formatGrouped(j->basicDeduction)),
        QString::fromUtf16(law.name)));
    const auto fill = model_.fill();
    if (fill && !fill->fits()) {
        QStringList left;
        for (const std::string& name : fill->left)
            left << qs(name);
        message->setText(u"シートの相続分の欄（配偶者と相続人 2〜4）に入りきらないため、シートへは反映しません（%1 が入りません）。"
                         u"法定相続人の数、相続分、基礎控除額は上のとおりです。"_s.arg(left.join(u"、"_s)));
        return;
    }
    message->clear();
    applyButton->setEnabled(true);
}

} // namespace kz::tax
