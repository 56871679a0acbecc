// SPDX-License-Identifier: MIT
#include "report/steps_window.h"

#include "ui/windows.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kz::report {

StepsWindow::StepsWindow(const QString& title, std::function<QString()> text, QWidget* source)
    : QWidget(source, Qt::Window)
    , text_(std::move(text))
    , view_(new QPlainTextEdit(this))
{
    setObjectName(u"StepsWindow"_s);
    setWindowTitle(title);
    view_->setObjectName(u"StepsText"_s);
    view_->setReadOnly(true);
    // Selectable and copyable by keyboard too, with a caret a screen reader follows.
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    view_->setAccessibleName(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(view_);
    resize(640, 600);
    // Escape closes it, as a small window beside another is closed.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    update();
    if (source && source->screen()) {
        // Beside the window it explains: right of it, else left of it, else as far right
        // as the screen goes.
        const QRect s = source->frameGeometry();
        const QRect room = source->screen()->availableGeometry();
        int x = s.right() + 8;
        if (x + width() > room.right())
            x = s.left() - 8 - width() >= room.left() ? s.left() - 8 - width() : room.right() - width();
        move(std::max(x, room.left()), std::max(s.top(), room.top()));
    }
}

void StepsWindow::refresh()
{
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] {
        pending_ = false;
        update();
    });
}

void StepsWindow::update()
{
    const QString text = text_ ? text_() : QString();
    if (text == view_->toPlainText())
        return;
    const int scrolled = view_->verticalScrollBar()->value();
    view_->setPlainText(text);
    view_->verticalScrollBar()->setValue(scrolled);
}

} // namespace kz::report
