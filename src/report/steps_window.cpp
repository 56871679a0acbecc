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
        // Beside the window it explains, on the side with more room, as wide as that room
        // allows down to a readable width; where the screen has no such room it overlaps.
        const QRect s = source->frameGeometry();
        const QRect room = source->screen()->availableGeometry();
        constexpr int kGap = 8, kNarrowest = 420, kWidest = 640;
        const int right = room.right() - s.right() - kGap, left = s.left() - room.left() - kGap;
        resize(std::clamp(std::max(left, right), kNarrowest, kWidest), height());
        const int x = right >= left ? std::min(s.right() + kGap, room.right() - width())
                                    : std::max(s.left() - kGap - width(), room.left());
        move(x, std::max(s.top(), room.top()));
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
