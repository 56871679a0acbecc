// SPDX-License-Identifier: MIT
#include "terms_help/tab_dialog.h"


#include <QAccessible>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QKeyEvent>
#include <QShortcut>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace kz::terms {

namespace {

class TabAccessible : public QAccessibleWidget {
public:
    explicit TabAccessible(TabButton* tab)
        : QAccessibleWidget(tab, QAccessible::PageTab)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<const TabButton*>(widget())->text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State st = QAccessibleWidget::state();
        st.selectable = true;
        st.selected = static_cast<const TabButton*>(widget())->isChecked();
        return st;
    }

    QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

    void doAction(const QString& name) override
    {
        if (name == pressAction())
            static_cast<TabButton*>(widget())->click();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object)
{
    if (className == QLatin1StringView(TabButton::staticMetaObject.className()))
        return new TabAccessible(static_cast<TabButton*>(object));
    if (className == QLatin1StringView(TabStrip::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::PageTabList);
    return nullptr;
}

QFont captionFont(QFont font, bool selected)
{
    font.setBold(selected);
    return font;
}

} // namespace

// Before any caption exists, so that a reader never meets one without its role.
TabStrip::TabStrip(QWidget* parent)
    : QWidget(parent)
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
}

TabButton::TabButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setCheckable(true);
    // As on a tab bar: only the selected caption is a Tab stop (TabDialog moves it), and a
    // click does not move the focus.
    setFocusPolicy(Qt::NoFocus);
}

QSize TabButton::sizeHint() const
{
    // Room for the bold caption of the selected tab.
    const QFontMetrics bold(captionFont(font(), true));
    return {bold.horizontalAdvance(text()) + 24, bold.height() + 10};
}

void TabButton::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionTab opt;
    opt.initFrom(this);
    opt.shape = QTabBar::RoundedNorth;
    opt.text = text();
    opt.position = QStyleOptionTab::Middle;
    if (isChecked())
        opt.state |= QStyle::State_Selected;
    if (isDown())
        opt.state |= QStyle::State_Sunken;
    p.setFont(captionFont(font(), isChecked()));
    // With the focus, the style draws the program's frame round it (opt.state has it).
    p.drawControl(QStyle::CE_TabBarTab, opt);
}

void TabButton::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        emit stepped(-1);
        return;
    case Qt::Key_Right:
    case Qt::Key_Down:
        emit stepped(1);
        return;
    default:
        QAbstractButton::keyPressEvent(event);
    }
}

TabDialog::TabDialog(int tabsPerRow, Twips rowHeight, QWidget* parent)
    : QWidget(parent)
    , tabsPerRow_(tabsPerRow)
    , rowHeightPx_(twipsToPx(rowHeight))
    , strip_(new TabStrip(this))
    , group_(new QButtonGroup(this))
    , stack_(new QStackedWidget(this))
{
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &TabDialog::setCurrentIndex);

    // The page keys of a tab widget, wherever the focus is in the window.
    const auto pageKeys = [this](QList<QKeySequence> keys, int by) {
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(keys);
        connect(shortcut, &QShortcut::activated, this, [this, by] { step(by, false); });
    };
    pageKeys({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1);
    pageKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
              QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
             -1);
}

QWidget* TabDialog::addPage(const QString& caption)
{
    const int index = count();
    auto* tab = new TabButton(caption, strip_);
    tab->setObjectName(caption);
    group_->addButton(tab, index);
    tabs_.push_back(tab);
    connect(tab, &TabButton::stepped, this, [this](int by) { step(by, true); });

    auto* holder = new QWidget(stack_);
    auto* page = new QWidget(holder);
    page->setAccessibleName(caption);
    stack_->addWidget(holder);
    pages_.push_back(page);

    if (index == 0) {
        tab->setChecked(true);
        tab->setFocusPolicy(Qt::TabFocus);
    }
    layoutTabs();
    return page;
}

int TabDialog::currentIndex() const { return stack_->currentIndex(); }

void TabDialog::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    const int before = currentIndex();
    tab(index)->setChecked(true);
    if (index == before)
        return;
    tab(before)->setFocusPolicy(Qt::NoFocus);
    tab(index)->setFocusPolicy(Qt::TabFocus);
    if (tab(before)->hasFocus())
        tab(index)->setFocus(Qt::TabFocusReason);
    stack_->setCurrentIndex(index);
    for (TabButton* t : {tab(before), tab(index)}) {
        QAccessible::State changed;
        changed.selected = true;
        QAccessibleStateChangeEvent event(t, changed);
        QAccessible::updateAccessibility(&event);
    }
    emit currentChanged(index);
}

void TabDialog::step(int by, bool focusTab)
{
    if (count() == 0)
        return;
    const int index = (currentIndex() + by + count()) % count();
    setCurrentIndex(index);
    if (focusTab)
        tab(index)->setFocus(Qt::TabFocusReason);
}

QRect TabDialog::pageRect() const { return rect().adjusted(0, rows() * rowHeightPx_, 0, 0); }

void TabDialog::layoutTabs()
{
    strip_->setGeometry(0, 0, width(), rows() * rowHeightPx_);
    const int across = width() / tabsPerRow_;
    for (int i = 0; i < count(); ++i) {
        const int column = i % tabsPerRow_;
        // The last caption of a row takes the pixels that the division leaves over.
        const int w = column == tabsPerRow_ - 1 ? width() - column * across : across;
        tab(i)->setGeometry(column * across, (i / tabsPerRow_) * rowHeightPx_, w, rowHeightPx_);
    }
    const QRect area = pageRect();
    // The frame around the pages is drawn by this widget; the pages sit inside it.
    stack_->setGeometry(area);
    const int rowsPx = rows() * rowHeightPx_;
    for (QWidget* page : pages_)
        page->setGeometry(0, -rowsPx, width(), height());
}

void TabDialog::paintEvent(QPaintEvent*)
{
    QStylePainter p(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = pageRect();
    frame.shape = QTabBar::RoundedNorth;
    p.drawPrimitive(QStyle::PE_FrameTabWidget, frame);
}

void TabDialog::resizeEvent(QResizeEvent*) { layoutTabs(); }

} // namespace kz::terms
