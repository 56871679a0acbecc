// SPDX-License-Identifier: MIT
#pragma once
// How the print worker's job reaches the printer: through the print server's own library on
// POSIX systems (print_queue_posix.cpp), through Qt's printer to the Windows spooler on
// Windows (print_queue_win.cpp). Only print.cpp uses it; every call runs on the print worker.
#include "ui/print.h"

#include <QPageLayout>

#include <functional>

class QPagedPaintDevice;
class QPageSize;
class QPrinterInfo;

namespace kz::ui {

// Whether a job can be sent at all; called before the printer is looked up.
bool openPrintQueue();

// Sends the pages to `printer` as one job of `copies` copies; once `givenUp` says so, nothing
// more is sent and, where the queue allows, a job sent meanwhile is taken back.
bool queuePages(const QPrinterInfo& printer, const QPageSize& paper, const QList<QPicture>& pages,
                PageOrientation orientation, const QString& docName, int copies,
                const std::function<bool()>& givenUp);

// From print.cpp, for both: the sheet's layout, and the pages painted on it fitted within the
// margins (false once the application has closed its paint gate).
QPageLayout printLayout(PageOrientation orientation, const QPageSize& paper);
bool paintFitted(QPagedPaintDevice& device, int resolution, const QList<QPicture>& pages);

} // namespace kz::ui
