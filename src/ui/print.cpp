// SPDX-License-Identifier: MIT
#include "ui/print.h"

#include "ui/action_box.h"
#include "ui/icons.h"
#include "ui/print_queue.h"
#include "ui/twips.h"
#include "ui/placement.h"
#include "ui/modal.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <memory>
#include <optional>
#include <mutex>
#include <thread>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

struct Settings {
    PrintSink sink;
    std::chrono::milliseconds limit = kPrintTimeLimit;
};

Settings& settings()
{
    static Settings s;
    return s;
}

// Fonts and paint engines belong to the application and go with it. A worker paints only
// while the gate is open; the application's end closes it after the page being painted.
struct PaintGate {
    std::mutex mutex;
    bool closed = false;
};

PaintGate& gate()
{
    static PaintGate g;
    return g;
}

void closeGate()
{
    // A page being painted is finished first; that takes moments, and nothing in it waits
    // for the print server.
    const std::lock_guard lock(gate().mutex);
    gate().closed = true;
}

void closeGateWithTheApplication()
{
    static bool hooked = false;
    if (hooked)
        return;
    hooked = true;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, closeGate);
    qAddPostRoutine(closeGate); // also where the application ends without its event loop
}

// The link between a job's worker and the object on the user-interface thread that waits
// for it. The worker posts its result only while the waiter is there to take it.
struct JobLink {
    std::mutex mutex;
    QObject* waiter = nullptr;
    bool abandoned = false; // over the time limit: the user was told nothing would print
};

// "印刷中…" in the icon's place, on one line where it fits, else on two, in the largest
// size that fits the place. A screen reader hears it as it appears, and reads it where
// it has the focus.
QLabel* makeBusyNote(QWidget* icon)
{
    auto* note = new QLabel(icon->parentWidget());
    note->setObjectName(u"printBusy"_s);
    note->setGeometry(icon->geometry());
    note->setAlignment(Qt::AlignCenter);
    note->setAccessibleName(u"印刷中…"_s);
    const QFont stated = note->font();
    const auto fits = [note, &stated](const QString& text) {
        for (qreal size = stated.pointSizeF(); size >= 6; size -= 0.5) {
            QFont f = stated;
            f.setPointSizeF(size);
            note->setFont(f);
            note->setText(text);
            const QSize need = QFontMetrics(f).boundingRect(QRect(), Qt::AlignCenter, text).size();
            if (need.width() <= note->width() && need.height() <= note->height() + 2)
                return true;
        }
        return false;
    };
    if (!fits(u"印刷中…"_s))
        fits(u"印刷\n中…"_s);
    note->show();
    return note;
}

// Waits for one job on the user-interface thread; a child of the window, so it goes with it.
// Meanwhile the window shows a busy pointer and the icon's place says that it prints.
class PrintJob : public QObject {
public:
    PrintJob(QWidget* window, QWidget* icon, QWidget* note, std::shared_ptr<JobLink> link)
        : QObject(window), window_(window), windowless_(window == nullptr), icon_(icon), note_(note), link_(std::move(link))
    {
        link_->waiter = this;
        if (window && window->testAttribute(Qt::WA_SetCursor))
            cursor_ = window->cursor();
        if (window)
            window->setCursor(Qt::BusyCursor);
        timer_.setSingleShot(true);
        timer_.setTimerType(Qt::PreciseTimer); // a coarse timer may end the wait up to 5 % early
        connect(&timer_, &QTimer::timeout, this, [this] {
            {
                const std::lock_guard lock(link_->mutex);
                link_->abandoned = true;
            }
            finish(false);
        });
        timer_.start(settings().limit);
    }

    ~PrintJob() override
    {
        letGo();
        delete note_;
    }

    void finish(bool handedOver)
    {
        if (done_)
            return;
        done_ = true;
        timer_.stop();
        letGo(); // a worker that answers late is not heard any more
        if (icon_)
            icon_->show();
        delete note_;
        if (window_)
            cursor_ ? window_->setCursor(*cursor_) : window_->unsetCursor();
        const QPointer<QWidget> window = window_;
        deleteLater();
        // A window the user has closed is not brought back to tell the outcome; a job that
        // had none tells it on its own.
        if (handedOver || (!windowless_ && (!window || !window->isVisible())))
            return;
        QMessageBox box(QMessageBox::Warning, u"印刷"_s, printFailedText(), QMessageBox::Ok, window);
        runModal(box, window); // may outlive this object: nothing of it is used from here on
    }

private:
    void letGo()
    {
        const std::lock_guard lock(link_->mutex);
        link_->waiter = nullptr;
    }

    QPointer<QWidget> window_;
    bool windowless_;        // started without a window: nothing to lose, the outcome still told
    QPointer<QWidget> icon_; // null where there is none to bring back
    QPointer<QWidget> note_;
    std::optional<QCursor> cursor_; // the window's own, where it had one
    std::shared_ptr<JobLink> link_;
    QTimer timer_;
    bool done_ = false;
};

// The worker owns its page and everything it prints with, and is never waited for: a print
// server that does not answer holds only this thread, up to the system's own time-outs.
void startJob(QWidget* window, QWidget* icon, QWidget* note, QList<QPicture> pages, PageOrientation orientation,
              const QString& docName, const PrintTarget& target = {})
{
    closeGateWithTheApplication();
    auto link = std::make_shared<JobLink>();
    new PrintJob(window, icon, note, link);
    std::thread([link, pages = std::move(pages), orientation, docName, target, sink = settings().sink] {
        const auto abandoned = [&link] {
            const std::lock_guard lock(link->mutex);
            return link->abandoned;
        };
        const bool handedOver =
            sink ? std::all_of(pages.cbegin(), pages.cend(),
                               [&](const QPicture& page) { return sink(page, orientation, target); })
                 : printPages(pages, orientation, docName, abandoned, target);
        const std::lock_guard lock(link->mutex);
        if (auto* job = static_cast<PrintJob*>(link->waiter))
            QMetaObject::invokeMethod(job, [job, handedOver] { job->finish(handedOver); }, Qt::QueuedConnection);
    }).detach();
}

} // namespace

void setPrintSink(PrintSink s) { settings().sink = std::move(s); }

void setPrintTimeLimit(std::chrono::milliseconds limit) { settings().limit = limit; }

ActionBox* makePrintIcon(Twips left, Twips top, QWidget* parent)
{
    auto* icon = new ActionBox(QString(), parent);
    icon->setGeometry(twipsRect(left, top, 390, 375));
    icon->setPixmap(printerPixmap());
    icon->setAlignment(Qt::AlignCenter);
    icon->setFocusPolicy(Qt::ClickFocus);
    return icon;
}

namespace {

// Paints `widget` and, above it, its shown children, each clipped to its own rectangle and
// its parents'. A picture does not keep the clip that QWidget::render gives each widget, and
// some styles paint past a widget's edge (a selected tab over the page below it).
void recordWidget(QPainter& painter, QWidget* widget, QWidget* window)
{
    painter.save();
    const QPoint at = widget->mapTo(window, QPoint());
    painter.setClipRect(QRect(at, widget->size()), Qt::IntersectClip);
    widget->render(&painter, at, QRegion(),
                   widget == window ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    // A widget's children are kept in stacking order, the topmost last.
    for (QObject* child : widget->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w && !w->isWindow() && w->isVisible())
            recordWidget(painter, w, window);
    }
    painter.restore();
}

} // namespace

QPicture recordWindow(QWidget* shown)
{
    // A window that scrolls prints its whole content, as it stands at the stated size.
    QWidget* window = statedContent(shown);
    QPicture picture;
    QPainter painter(&picture);
    recordWidget(painter, window, window);
    painter.end();
    picture.setBoundingRect(window->rect());
    return picture;
}

QPageLayout printLayout(PageOrientation orientation, const QPageSize& paper)
{
    // A report's pages carry their own margins and stand upright.
    const qreal margin = orientation == PageOrientation::Report ? 0 : 10;
    return QPageLayout(paper.isValid() ? paper : QPageSize(QPageSize::A4),
                       orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(margin, margin, margin, margin), QPageLayout::Millimeter);
}

bool paintFitted(QPagedPaintDevice& device, int resolution, const QList<QPicture>& pages)
{
    const std::lock_guard lock(gate().mutex);
    if (gate().closed)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF area = device.pageLayout().paintRectPixels(resolution);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        const QPicture& page = pages[i];
        if (i > 0 && !device.newPage())
            return false;
        painter.save();
        const QRectF source = page.boundingRect();
        const QSizeF fitted = source.size().scaled(area.size(), Qt::KeepAspectRatio);
        painter.translate((area.width() - fitted.width()) / 2, (area.height() - fitted.height()) / 2);
        // A picture plays scaled from its own resolution to the device's; fit what is left.
        const qreal playX = qreal(device.logicalDpiX()) / page.logicalDpiX();
        const qreal playY = qreal(device.logicalDpiY()) / page.logicalDpiY();
        painter.scale(fitted.width() / source.width() / playX, fitted.height() / source.height() / playY);
        painter.drawPicture(-source.topLeft(), page);
        painter.restore();
    }
    return painter.end();
}

bool printPage(const QPicture& page, PageOrientation orientation, const QString& docName,
               const std::function<bool()>& abandoned)
{
    return printPages({page}, orientation, docName, abandoned);
}

bool printPages(const QList<QPicture>& pages, PageOrientation orientation, const QString& docName,
                const std::function<bool()>& abandoned, const PrintTarget& target)
{
    if (!openPrintQueue())
        return false;
    const auto givenUp = [&] { return abandoned && abandoned(); };
    QPrinterInfo info;
    QPageSize paper;
    {
        // Qt's printer support is set up on its first use and is not made for two threads at
        // once; jobs from two windows take turns here.
        static std::mutex lookup;
        const std::lock_guard lock(lookup);
        // QPrinter::isValid() stays true without any printer; ask the print server for the default instead.
        info = target.printer.isEmpty() ? QPrinterInfo::defaultPrinter() : QPrinterInfo::printerInfo(target.printer);
        // A paused or stopped queue reports an error state; a job sent there would wait unseen.
        const bool blank = pages.isEmpty() || std::any_of(pages.cbegin(), pages.cend(), [](const QPicture& page) {
                               return page.boundingRect().isEmpty();
                           });
        if (info.isNull() || info.state() == QPrinter::Error || blank)
            return false;
        paper = info.defaultPageSize();
    }
    return !givenUp() && queuePages(info, paper, pages, orientation, docName, target.copies, givenUp);
}

bool confirmAndPrint(QWidget* window, QWidget* icon, PageOrientation orientation)
{
    QMessageBox box(QMessageBox::Question, u"印刷"_s, u"画面印刷をします。よろしいですか？"_s,
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes)
        return false;

    // The icon stays hidden until the job is over, so the page cannot be sent twice at once.
    if (icon && !icon->isVisible())
        icon = nullptr;
    if (icon)
        icon->hide();
    QPicture page = recordWindow(window);
    QWidget* note = icon ? makeBusyNote(icon) : nullptr;
    // Where the icon had the focus (it keeps none while hidden), the note takes it, so that a
    // screen reader reads it; the icon takes the focus back when it comes back.
    if (note && !window->focusWidget())
        note->setFocus(Qt::OtherFocusReason);
    startJob(window, icon, note, {std::move(page)}, orientation, window->windowTitle());
    return true;
}

void printReport(QWidget* window, const QList<QPicture>& pages, const QString& docName, const PrintTarget& target)
{
    startJob(window, nullptr, nullptr, pages, PageOrientation::Report, docName, target);
}

QString printFailedText() { return u"印刷できませんでした。プリンターの設定を確認してください。"_s; }

} // namespace kz::ui
