// SPDX-License-Identifier: MIT
#include "ui/windows.h"

#include "common/geometry.h"

#include <QGuiApplication>
#include <QMap>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace kz::ui {

namespace {

struct Entry {
    WindowFactory factory;
    QPointer<QWidget> window;
};

QMap<WindowKind, Entry>& registry()
{
    static QMap<WindowKind, Entry> r;
    return r;
}

} // namespace

void registerWindow(WindowKind kind, WindowFactory factory)
{
    registry()[kind].factory = std::move(factory);
}

QWidget* showWindow(WindowKind kind)
{
    Entry& e = registry()[kind];
    // A window closed in this same pass of the event loop (the close and the click came in
    // one batch of events) is hidden and waiting for its deletion: it counts as gone, or
    // the click would show a window about to vanish.
    if (e.window && e.window->isHidden())
        e.window = nullptr;
    if (!e.window) {
        if (!e.factory)
            return nullptr;
        e.window = e.factory();
        e.window->setAttribute(Qt::WA_DeleteOnClose);
    }
    e.window->show();
    e.window->raise();
    e.window->activateWindow();
    return e.window;
}

QWidget* openWindow(WindowKind kind)
{
    const auto it = registry().constFind(kind);
    return it == registry().cend() ? nullptr : it->window.data();
}

void placeOnScreen(QWidget* window, int acrossDiv, int downDiv)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect s = screen->geometry();
    // The outer size counts the frame; a window manager may only tell it after mapping.
    window->winId();
    const QMargins frame = window->windowHandle() ? window->windowHandle()->frameMargins() : QMargins();
    const QSize outer = window->size().grownBy(frame);
    const Point p = placeWindow({s.width(), s.height()}, {outer.width(), outer.height()}, acrossDiv, downDiv);
    // A window that fills the screen's height or width starts at the available area's edge,
    // below a top panel: its title bar must be reachable.
    const QRect avail = screen->availableGeometry();
    window->move(p.x == 0 ? avail.x() : s.x() + p.x, p.y == 0 ? avail.y() : s.y() + p.y);
}

} // namespace kz::ui
