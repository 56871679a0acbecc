// SPDX-License-Identifier: MIT
#pragma once
#include "core/common/geometry.h"

#include <QList>
#include <QPicture>
#include <QString>

#include <chrono>
#include <functional>

class QWidget;

namespace kz::ui {

class ActionBox;

// Report: a page drawn for a whole portrait sheet (a report's A4 pages), placed edge to edge.
enum class PageOrientation { Landscape, AsPrinterIs, Report };

// Where a report goes: the printer the user chose in the print dialog (empty: the default
// printer) and how many copies.
struct PrintTarget {
    QString printer;
    int copies = 1;
};

// Where a window's page goes once the user agreed. It runs on the print worker, never on
// the user-interface thread, and returns whether the page was handed over. The default
// sends it to the default printer; tests replace it to capture the page. A job of several
// pages calls it once per page, in order, until one is refused.
using PrintSink = std::function<bool(const QPicture& page, PageOrientation orientation, const PrintTarget& target)>;
void setPrintSink(PrintSink sink); // an empty sink restores the printer

// A job not handed over within this time is given up and reported as failed.
inline constexpr std::chrono::milliseconds kPrintTimeLimit{20'000};
void setPrintTimeLimit(std::chrono::milliseconds limit); // for tests; the program keeps the default

// Asks "画面印刷をします。よろしいですか？"; on Yes hides `icon`, records `window` as vector
// drawing and hands the page to a worker, so that no printer set-up can freeze the windows.
// The icon comes back when the page is handed over or the job has failed; a failure or a
// job over the time limit tells the user. Returns whether the user agreed.
bool confirmAndPrint(QWidget* window, QWidget* icon, PageOrientation orientation);

// What a print that could not be made tells the user, on the sheet and in the preview alike.
QString printFailedText();

// Hands the pages of a report (PageOrientation::Report) to the print worker, as
// confirmAndPrint does after its question: the same worker, time limit and failure message.
// `window` may be null (a preview without a parent): the job then belongs to no window.
void printReport(QWidget* window, const QList<QPicture>& pages, const QString& docName, const PrintTarget& target = {});

// The window's painting as vector drawing; its bounding rectangle is the window's.
QPicture recordWindow(QWidget* window);

// The printer icon of a window, 390 x 375 twips at (left, top). A click takes the focus
// as a button's does, so the field being edited is left, and its amount committed,
// before the window is printed.
ActionBox* makePrintIcon(Twips left, Twips top, QWidget* parent);

// The default sink: the page on one sheet of the default printer, scaled to fit within
// the margins. Blocks while the printer is looked up and the job sent; safe on any thread.
// Returns whether the job was handed over to the print server. Once `abandoned` says so,
// nothing more is sent, and a job sent meanwhile is cancelled.
bool printPage(const QPicture& page, PageOrientation orientation, const QString& docName,
               const std::function<bool()>& abandoned = {});
// The same for several pages in one job, on the target's printer and in its copies.
bool printPages(const QList<QPicture>& pages, PageOrientation orientation, const QString& docName,
                const std::function<bool()>& abandoned = {}, const PrintTarget& target = {});

} // namespace kz::ui
