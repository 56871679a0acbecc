#include "terms_help/tab_dialog.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QStackedWidget>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace kz::terms {

TabButton::TabButton(const QString& caption, QWidget* parent)
    : QAbstractButton(parent)
{
    setText(caption);
    setCheckable(true);
    // As on a tab bar: the keyboard reaches the captions, a click does not move the focus.
    setFocusPolicy(Qt::TabFocus);
}

QSize TabButton::sizeHint() const
{
    return {fontMetrics().horizontalAdvance(text()) + 24, fontMetrics().height() + 10};
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
    p.drawControl(QStyle::CE_TabBarTab, opt);
}

TabDialog::TabDialog(int tabsPerRow, Twips rowHeight, QWidget* parent)
    : QWidget(parent)
    , tabsPerRow_(tabsPerRow)
    , rowHeightPx_(twipsToPx(rowHeight))
    , group_(new QButtonGroup(this))
    , stack_(new QStackedWidget(this))
{
    group_->setExclusive(true);
    connect(group_, &QButtonGroup::idClicked, this, &TabDialog::setCurrentIndex);
}

QWidget* TabDialog::addPage(const QString& caption)
{
    const int index = count();
    auto* tab = new TabButton(caption, this);
    tab->setObjectName(caption);
    group_->addButton(tab, index);
    tabs_.push_back(tab);

    auto* holder = new QWidget(stack_);
    auto* page = new QWidget(holder);
    page->setAccessibleName(caption);
    stack_->addWidget(holder);
    pages_.push_back(page);

    if (index == 0)
        tab->setChecked(true);
    layoutTabs();
    return page;
}

int TabDialog::currentIndex() const { return stack_->currentIndex(); }

void TabDialog::setCurrentIndex(int index)
{
    if (index < 0 || index >= count())
        return;
    tab(index)->setChecked(true);
    if (index == stack_->currentIndex())
        return;
    stack_->setCurrentIndex(index);
    emit currentChanged(index);
}

QRect TabDialog::pageRect() const { return rect().adjusted(0, rows() * rowHeightPx_, 0, 0); }

void TabDialog::layoutTabs()
{
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

void TabDialog::keyPressEvent(QKeyEvent* event)
{
    // The page keys of a tab widget: Ctrl+Tab and Ctrl+PageDown forward, with Shift or PageUp back.
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int step = 0;
    if (ctrl && event->key() == Qt::Key_Tab)
        step = 1;
    else if (ctrl && event->key() == Qt::Key_Backtab)
        step = -1;
    else if (ctrl && event->key() == Qt::Key_PageDown)
        step = 1;
    else if (ctrl && event->key() == Qt::Key_PageUp)
        step = -1;
    if (step == 0 || count() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    setCurrentIndex((currentIndex() + step + count()) % count());
}

} // namespace kz::terms
