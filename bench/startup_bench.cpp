// How much the main menu costs to create and show, against a plain window with one
// button built the same way: the menu should stay within a small multiple of it.
#include "shell/formmenu.h"
#include "ui/app.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double medianNs(const std::function<void()>& once, int runs)
{
    std::vector<qint64> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        once();
        times.push_back(t.nsecsElapsed());
    }
    std::sort(times.begin(), times.end());
    return static_cast<double>(times[times.size() / 2]);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    constexpr int kRuns = 50;

    const double baseline = medianNs([] {
        QWidget w;
        auto* b = new QPushButton(QStringLiteral("OK"), &w);
        b->setGeometry(8, 16, 97, 25);
        w.show();
        (void)w.grab();
    }, kRuns);
    const double menu = medianNs([] {
        kz::shell::Formmenu m;
        m.show();
        (void)m.grab();
    }, kRuns);

    std::printf("main menu / one-button window, create+show+paint: %.2fx\n", menu / baseline);
    return 0;
}
