// SPDX-License-Identifier: MIT
#include "ui/window_registry.h"

#include <QMap>
#include <QPointer>
#include <QWidget>

namespace kz::ui {

namespace {

struct Entry {
    WindowFactory factory;
    const QObject* owner = nullptr; // whose factory it is, for unregisterWindow
    QPointer<QWidget> window;
};

QMap<WindowKind, Entry>& registry()
{
    static QMap<WindowKind, Entry> r;
    return r;
}

} // namespace

void registerWindow(WindowKind kind, WindowFactory factory, const QObject* owner)
{
    Entry& e = registry()[kind];
    e.factory = std::move(factory);
    e.owner = owner;
}

void unregisterWindow(WindowKind kind, const QObject* owner)
{
    Entry& e = registry()[kind];
    if (e.owner != owner)
        return; // another window of the kind registered since
    e.factory = nullptr;
    e.owner = nullptr;
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

} // namespace kz::ui
