// SPDX-License-Identifier: MIT
#include "ui/print_queue.h"

#include <QPrinter>

#include <algorithm>
#include <QPrinterInfo>

namespace kz::ui {

bool openPrintQueue() { return true; }

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
    return !givenUp() && paintFitted(printer, printer.resolution(), pages);
}

} // namespace kz::ui
