// SPDX-License-Identifier: MIT
#include "ui/placement.h"

#include "core/common/geometry.h"
#include "ui/app.h"
#include "ui/text_fit.h"

#include <QApplication>
#include <QFont>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

const auto kScrollName = QStringLiteral("kz_statedContentScroll");
constexpr int kUntoldTitleBar = 32;
constexpr int kFocusMargin = 4;

// Moves the window's controls, as they stand, into a scroll area that fills the window.
// Reparented within the same window, they keep their tab order.
void scrollContent(QWidget* window, QSize inner)
{
    auto* scroll = new QScrollArea(window);
    scroll->setObjectName(kScrollName);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setGeometry(QRect(QPoint(), inner));
    auto* content = new QWidget;
    content->setAutoFillBackground(window->autoFillBackground());
    if (QLayout* laid = window->layout()) {
        // A window built with layouts: its layout goes with its controls (setLayout takes it
        // from the window), so that they are laid out in the content, never over each other.
        // The content fills the window and stops shrinking at what the layout needs; the
        // window stays resizable, the scroll area following it.
        content->setLayout(laid);
        content->setMinimumSize(laid->totalMinimumSize().expandedTo(content->minimumSizeHint()));
        scroll->setWidgetResizable(true);
        window->setMinimumSize(0, 0);
        auto* frame = new QVBoxLayout(window);
        frame->setContentsMargins(QMargins());
        frame->addWidget(scroll);
        scroll->setWidget(content);
        window->resize(inner);
    } else {
        content->setFixedSize(window->size());
        scroll->setWidget(content);
        for (QObject* child : window->children()) {
            auto* w = qobject_cast<QWidget*>(child);
            if (!w || w == scroll || w->isWindow())
                continue;
            const bool hidden = w->isHidden();
            w->setParent(content);
            w->setHidden(hidden);
        }
        window->setFixedSize(inner);
    }
    scroll->show();
    // A Tab move scrolls by itself; Enter, the arrow keys and the program move the focus too.
    QObject::connect(qApp, &QApplication::focusChanged, scroll, [scroll, content](QWidget*, QWidget* now) {
        // The whole control, not only its caret as ensureWidgetVisible would.
        if (now && content->isAncestorOf(now)) {
            const QRect r(now->mapTo(content, QPoint()), now->size());
            scroll->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + kFocusMargin, r.height() / 2 + kFocusMargin);
        }
    });
}

// The width of a caption in a font, measured once per process: shaping the windows' ~200
// captions again at every opening took a tenth of it, and the same captions come back in
// the same few fonts.
int captionWidth(const QLabel* label, const QString& text)
{
    struct Known {
        QFont font;
        QHash<QString, int> widths;
    };
    static std::vector<Known> known;
    const QFont& font = label->font();
    auto it = std::find_if(known.begin(), known.end(), [&](const Known& k) { return k.font == font; });
    if (it == known.end())
        it = known.insert(known.end(), Known{font, {}});
    if (const auto w = it->widths.constFind(text); w != it->widths.constEnd())
        return *w;
    return *it->widths.insert(text, label->fontMetrics().horizontalAdvance(text));
}

// A caption that does not fit its box (a font missing here, replaced by a wider one) is drawn
// smaller, as a number is, rather than cut. Only one-line plain captions: a wrapped or
// several-line text is measured otherwise. Those that fit, nearly all, are left alone.
void fitCaptions(QWidget* window)
{
    for (QLabel* label : window->findChildren<QLabel*>()) {
        const QString text = label->text();
        if (!text.isEmpty() && !label->wordWrap() && !text.contains(u'\n') && label->textFormat() != Qt::RichText
            && !(label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text))
            && captionWidth(label, text) > textRoom(label))
            fitText(label);
    }
}

} // namespace

void placeOnScreen(QWidget* window, int acrossDiv, int downDiv)
{
    // A window that did not take the program's font first takes it now, before its size is
    // weighed against the screen.
    if (!window->testAttribute(Qt::WA_SetFont))
        setWindowFont(window);
    fitCaptions(window);
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    const QRect avail = screen->availableGeometry();
    // The outer size counts the frame; a window manager may only tell it after mapping.
    // Before the window maps, X11 tells no frame at all: there the native window is not made
    // early for nothing (it is made as the window shows), and a title bar is counted all the
    // same, or a window that just fits would have its bottom row below the screen.
    const bool untold = QGuiApplication::platformName() == u"xcb"_s;
    if (!untold)
        window->winId();
    const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QMargins counted = frame.isNull() && untold ? QMargins(0, kUntoldTitleBar, 0, 0) : frame;
    const QSize room = avail.size().shrunkBy(counted);
    const QSize stated = statedContent(window)->size();
    const Size fit = fitWindow({room.width(), room.height()}, {stated.width(), stated.height()},
                               window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window));
    if (QSize(fit.width, fit.height) != stated && statedContent(window) == window) {
        scrollContent(window, {fit.width, fit.height});
        // Inside the available area, so that no panel covers the title bar or the scroll bars.
        const QSize outer = window->size().grownBy(frame);
        const Point p = placeWindow({avail.width(), avail.height()}, {outer.width(), outer.height()}, acrossDiv, downDiv);
        window->move(avail.x() + p.x, avail.y() + p.y);
        return;
    }
    const QSize outer = window->size().grownBy(frame);
    const Point p = placeWindow({s.width(), s.height()}, {outer.width(), outer.height()}, acrossDiv, downDiv);
    // A window that fills the screen's height or width starts at the available area's edge,
    // below a top panel: its title bar must be reachable.
    window->move(p.x == 0 ? avail.x() : s.x() + p.x, p.y == 0 ? avail.y() : s.y() + p.y);
}

QWidget* statedContent(QWidget* window)
{
    const auto* scroll = window->findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly);
    return scroll ? scroll->widget() : window;
}

void showInView(QWidget* box, const QRect& area)
{
    auto* scroll = box->window()->findChild<QScrollArea*>(kScrollName, Qt::FindDirectChildrenOnly);
    if (!scroll || !scroll->widget()->isAncestorOf(box))
        return;
    const QRect r = area.translated(box->mapTo(scroll->widget(), QPoint()));
    scroll->ensureVisible(r.center().x(), r.center().y(), r.width() / 2 + kFocusMargin, r.height() / 2 + kFocusMargin);
}

} // namespace kz::ui
