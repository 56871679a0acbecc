// SPDX-License-Identifier: MIT
#include "ui/print_queue.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QString>

#include <algorithm>
#include <mutex>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

// Qt's Windows print engine ends a job the spooler would not take (EndPage or EndDoc
// failing) with a warning and reports success all the same: its warning is the only word
// of the failure. Each printing thread listens for it while it ends its own job.
thread_local bool tListening = false;
thread_local bool tEngineFailed = false;
QtMessageHandler gPrevious = nullptr;

void listenToThePrintEngine(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (tListening && message.startsWith(u"QWin32PrintEngine::end"_s))
        tEngineFailed = true;
    if (gPrevious)
        gPrevious(type, context, message);
}

} // namespace

bool openPrintQueue()
{
    static std::once_flag once;
    std::call_once(once, [] { gPrevious = qInstallMessageHandler(listenToThePrintEngine); });
    return true;
}

// Qt's printer draws through the printer's own driver and hands the job to the Windows
// spooler when the painting ends. The spooler takes every job it is given: a printer that
// cannot print shows in its own queue window, and a job once painted is not taken back.
bool queuePages(const QPrinterInfo& info, const QPageSize& paper, const QList<QPicture>& pages,
                PageOrientation orientation, const QString& docName, int copies,
                const std::function<bool()>& givenUp)
{
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(docName);
    printer.setCopyCount(std::max(1, copies));
    printer.setPageLayout(printLayout(orientation, paper));
    if (givenUp())
        return false;
    tListening = true;
    tEngineFailed = false;
    const bool painted = paintFitted(printer, printer.resolution(), pages);
    tListening = false;
    return painted && !tEngineFailed;
}

} // namespace kz::ui
