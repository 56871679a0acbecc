// SPDX-License-Identifier: MIT
#include "report/steps_window.h"

#include <QTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kz::report {

namespace {

// Escaped, with its spaces kept: the program's captions space with U+3000, which rich text
// would otherwise fold into one plain space.
QString escaped(const QString& text) { return u"<span style=\"white-space:pre-wrap\">%1</span>"_s.arg(text.toHtmlEscaped()); }

} // namespace

QString stepsHtml(const StepsPage& page)
{
    // The soft grey and the indent of the report's formula in words.
    QString html = u"<p><b>%1</b></p>"_s.arg(escaped(page.heading));
    for (const StepGroup& group : page.groups) {
        if (!group.title.isEmpty())
            html += u"<p><b>【%1】</b></p>"_s.arg(escaped(group.title));
        html += u"<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\">"_s;
        for (const Step& step : group.steps) {
            html += u"<tr><td colspan=\"2\"><b>%1</b></td></tr>"_s.arg(escaped(step.caption));
            if (!step.words.isEmpty())
                html += u"<tr><td colspan=\"2\" style=\"padding-left:16px; color:#404040\">%1</td></tr>"_s.arg(
                    escaped(u"式　"_s + step.words));
            html += u"<tr><td style=\"padding-left:16px\">%1</td>"
                    u"<td align=\"right\" valign=\"bottom\"><p style=\"white-space:nowrap\">= <b>%2</b></p></td></tr>"_s
                        .arg(escaped(step.numbers), escaped(step.result));
            html += u"<tr><td colspan=\"2\" style=\"font-size:4px\">&nbsp;</td></tr>"_s;
        }
        html += u"</table>"_s;
    }
    if (!page.note.isEmpty())
        html += u"<p>%1</p>"_s.arg(escaped(page.note).replace(u'\n', u"<br>"_s));
    return html;
}

StepsWindow::StepsWindow(const QString& title, std::function<StepsPage()> page, QWidget* source)
    : QWidget(source, Qt::Window)
    , page_(std::move(page))
    , view_(new QTextEdit(this))
{
    setObjectName(u"StepsWindow"_s);
    setWindowTitle(title);
    view_->setObjectName(u"StepsText"_s);
    view_->setReadOnly(true);
    // Selectable and copyable by keyboard too, with a caret a screen reader follows.
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view_->setLineWrapMode(QTextEdit::WidgetWidth);
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
    const QString html = page_ ? stepsHtml(page_()) : QString();
    if (html == shown_)
        return;
    shown_ = html;
    const int scrolled = view_->verticalScrollBar()->value();
    view_->setHtml(html);
    view_->verticalScrollBar()->setValue(scrolled);
}

} // namespace kz::report
