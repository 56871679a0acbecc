// SPDX-License-Identifier: MIT
// Where a window's opening spends its work, counted in instructions rather than time, so that
// a machine busy with other work does not change the answer. Run under callgrind:
//   valgrind --tool=callgrind --instr-atstart=no build/bench/kz_phases
// Each window is opened once and closed (its first opening), then opened again; each opening
// is one dump, named after its window ("tax first", "tax"). Without valgrind the program
// prints the same phases timed with a clock, for a quick look.
#include "shell/window_setup.h"
#include "ui/app.h"
#include "ui/window_registry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <valgrind/callgrind.h>

#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <utility>

using kz::ui::WindowKind;

namespace {

// Counts the window's paints, so that the opening ends with its first whole paint.
class PaintWatch : public QObject {
public:
    bool painted = false;

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::UpdateRequest || (e->type() == QEvent::Expose && o->isWindowType()))
            painted = true;
        return false;
    }
};

void settle()
{
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

// Shows the window and runs the event loop until it has painted once and nothing is waiting.
QWidget* open(WindowKind kind, qint64* ns)
{
    QElapsedTimer t;
    t.start();
    QWidget* w = kz::ui::showWindow(kind);
    PaintWatch watch;
    qApp->installEventFilter(&watch);
    for (int i = 0; i < 2000 && !(watch.painted && w->windowHandle() && w->windowHandle()->isExposed()); ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents();
    qApp->removeEventFilter(&watch);
    *ns = t.nsecsElapsed();
    return w;
}

// The resident and the privately written memory, in MB, from /proc.
void printMemory(const char* when)
{
    auto kb = [](const char* file, const char* key) {
        QFile f(QString::fromLatin1(file));
        if (!f.open(QIODevice::ReadOnly))
            return 0.0;
        for (const QByteArray& line : f.readAll().split('\n'))
            if (line.startsWith(key))
                return line.mid(qsizetype(std::strlen(key))).trimmed().split(' ').first().toDouble();
        return 0.0;
    };
    const struct mallinfo2 heap = mallinfo2();
    std::printf("%-28s RSS %6.1f MB, private dirty %6.1f MB, heap in use %5.1f MB of %5.1f MB\n", when,
                kb("/proc/self/status", "VmRSS:") / 1024, kb("/proc/self/smaps_rollup", "Private_Dirty:") / 1024,
                double(heap.uordblks) / (1 << 20), double(heap.arena) / (1 << 20));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    kz::shell::registerWindows();
    qint64 ns = 0;
    open(WindowKind::Menu, &ns);
    settle();
    if (app.arguments().contains(QStringLiteral("--memory"))) {
        // Every window open, one by one, as the outside bench opens them.
        printMemory("menu");
        for (const auto& [kind, name] : {std::pair{WindowKind::TaxSheet, "+ tax sheet"}, {WindowKind::About, "+ about"},
                                         {WindowKind::Coefficients, "+ coefficients"}, {WindowKind::TermsHelp, "+ help"}}) {
            open(kind, &ns);
            settle();
            printMemory(name);
        }
        // Each mapping's share, for a closer look (a proc file has no size to copy by).
        if (qEnvironmentVariableIsSet("KZ_PHASES_SMAPS")) {
            QFile in(QStringLiteral("/proc/self/smaps")), out(qEnvironmentVariable("KZ_PHASES_SMAPS"));
            if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly))
                out.write(in.readAll());
        }
        return 0;
    }
    const struct {
        WindowKind kind;
        const char* name;
        const char* firstName;
    } windows[] = {{WindowKind::TaxSheet, "tax", "tax first"},
                   {WindowKind::Coefficients, "coefficients", "coefficients first"},
                   {WindowKind::TermsHelp, "help", "help first"}};
    for (const auto& w : windows) {
        qint64 first = 0, later = 0;
        CALLGRIND_ZERO_STATS;
        CALLGRIND_START_INSTRUMENTATION;
        QWidget* once = open(w.kind, &first);
        CALLGRIND_STOP_INSTRUMENTATION;
        CALLGRIND_DUMP_STATS_AT(w.firstName);
        once->close();
        settle();
        CALLGRIND_ZERO_STATS;
        CALLGRIND_START_INSTRUMENTATION;
        QWidget* shown = open(w.kind, &later);
        CALLGRIND_STOP_INSTRUMENTATION;
        CALLGRIND_DUMP_STATS_AT(w.name);
        std::printf("%-13s first %6.1f ms, later %6.1f ms\n", w.name, first / 1e6, later / 1e6);
        shown->close();
        settle();
    }
    return 0;
}
