// SPDX-License-Identifier: MIT
#pragma once
#include "core/common/geometry.h"

#include <QAbstractButton>
#include <QWidget>

#include <vector>

class QButtonGroup;
class QStackedWidget;

namespace kz::terms {

// One caption of a TabDialog, drawn as the style draws a tab, its caption bold while it
// is the page shown. A screen reader sees a page tab that tells whether it is selected.
class TabButton : public QAbstractButton {
    Q_OBJECT
public:
    TabButton(const QString& caption, QWidget* parent);
    QSize sizeHint() const override;

signals:
    // An arrow key asks for the previous (-1) or next (+1) page.
    void stepped(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The rows of captions; a screen reader sees the page tab list.
class TabStrip : public QWidget {
    Q_OBJECT
public:
    explicit TabStrip(QWidget* parent);
};

// A tabbed dialog whose captions wrap into rows of a fixed count, the first row on top,
// as the help window's six pages need; QTabBar keeps all its tabs on one row.
//
// Keys as on a tab bar: the Tab key reaches the strip once, at the selected caption; the
// arrow keys step through all captions, row after row, and show their pages; Ctrl+Tab,
// Ctrl+Shift+Tab, Ctrl+PageDown and Ctrl+PageUp switch pages from anywhere in the window.
class TabDialog : public QWidget {
    Q_OBJECT
public:
    TabDialog(int tabsPerRow, Twips rowHeight, QWidget* parent);

    // A new page under `caption`. Its coordinates start at the dialog's top-left corner,
    // the caption rows included, so that page tables keep the positions they were drawn at.
    QWidget* addPage(const QString& caption);

    int count() const { return static_cast<int>(tabs_.size()); }
    int currentIndex() const;
    void setCurrentIndex(int index);
    TabButton* tab(int index) const { return tabs_.at(static_cast<std::size_t>(index)); }
    QWidget* page(int index) const { return pages_.at(static_cast<std::size_t>(index)); }

signals:
    void currentChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layoutTabs();
    void step(int by, bool focusTab);
    int rows() const { return (count() + tabsPerRow_ - 1) / tabsPerRow_; }
    QRect pageRect() const;

    int tabsPerRow_;
    int rowHeightPx_;
    TabStrip* strip_;
    QButtonGroup* group_;
    QStackedWidget* stack_;
    std::vector<TabButton*> tabs_;
    std::vector<QWidget*> pages_;
};

} // namespace kz::terms
