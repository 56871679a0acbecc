// SPDX-License-Identifier: MIT
#include "report/output.h"

#include "core/case/case_file.h"
#include "ui/print.h"
#include "ui/save_file.h"
#include "ui/modal.h"

#include <QAction>
#include <QBuffer>
#include <QInputDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QTimer>
#include <QScreen>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QToolBar>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace kz::report {
namespace {

// Plays the recorded pages on a paged device whose origin is the sheet's corner.
bool playPages(const QList<QPicture>& pages, QPagedPaintDevice& device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        painter.drawPicture(QPointF(0, 0), pages[i]);
    }
    return painter.end();
}

QPageLayout a4() { return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()); }

const QString kNotMade = u"PDFを作成できません"_s;

} // namespace

// The whole file is made in memory before anything is written.
QByteArray pdfBytes(const Document& doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setTitle(doc.title);
    writer.setCreator(u"kazenoha"_s);
    writer.setPageLayout(a4());
    if (!doc.caseFile.isEmpty())
        writer.addFileAttachment(doc.caseFileName, doc.caseFile, QString::fromLatin1(cases::kMimeType));
    return playPages(pages(doc), writer) ? bytes : QByteArray();
}

bool savePdf(const Document& doc, const QString& path, QString* error)
{
    const QByteArray pdf = pdfBytes(doc);
    const kz::ui::SaveResult r = pdf.isEmpty() ? kz::ui::SaveResult{false, kNotMade} : kz::ui::saveFile(pdf, path);
    if (!r.ok && error)
        *error = r.reason;
    return r.ok;
}

QString suggestedName(const QString& stem, const QDate& date, const QString& client, QStringView suffix)
{
    // A name is any text: what a file name cannot hold becomes "_"; controls and invisible
    // format characters (DEL, zero-width spaces, a right-to-left override that would show
    // "報告gpj.exe" as "報告exe.jpg") are dropped.
    QString name;
    for (const char32_t c : client.simplified().toUcs4()) {
        const QChar::Category category = QChar::category(c);
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            continue;
        name += QString::fromUcs4(&c, 1);
    }
    name = name.simplified();
    name.replace(QRegularExpression(u"[\\/:*?\"<>|]"_s), u"_"_s);
    const QString dated = date.toString(u"yyyyMMdd"_s) + suffix.toString();
    // A file name holds at most 255 bytes on Linux (UTF-8) and 255 UTF-16 units on Windows;
    // the first is never more, so the client's name is cut, by whole characters, to fit it.
    const qsizetype room = ui::kMaxFileNameBytes - (stem + u'_' + u'_' + dated).toUtf8().size();
    while (!name.isEmpty() && name.toUtf8().size() > room)
        name.chop(name.back().isLowSurrogate() && name.size() > 1 ? 2 : 1);
    name = name.trimmed();
    return stem + u'_' + (name.isEmpty() ? QString() : name + u'_') + dated;
}

bool askClient(QWidget* parent, QString* client)
{
    QInputDialog dialog(parent);
    dialog.setObjectName(u"ClientName"_s);
    dialog.setWindowTitle(u"お客様名"_s);
    dialog.setLabelText(u"報告書の見出しに載せるお客様名（空欄のままでもかまいません）："_s);
    dialog.setTextValue(*client);
    dialog.setOkButtonText(u"OK"_s);
    dialog.setCancelButtonText(u"キャンセル"_s);
    const bool asked = kz::ui::runModal(dialog, parent) == QDialog::Accepted;
    if (asked)
        *client = dialog.textValue().simplified();
    return asked;
}

QString saveWithDialog(QWidget* parent, Document doc, const QString& stem, QString* client)
{
    if (client) {
        if (!askClient(parent, client))
            return {};
        doc.client = *client;
    }
    const kz::ui::SaveRequest request{u"PDFに保存"_s, suggestedName(stem, doc.date, doc.client), u"PDF (*.pdf)"_s, u"pdf"_s,
                                      u"PDFを保存できませんでした。"_s};
    const QByteArray pdf = pdfBytes(doc);
    if (pdf.isEmpty()) {
        kz::ui::tellSaveFailed(parent, request, kNotMade);
        return {};
    }
    return kz::ui::saveWithDialog(parent, request, pdf);
}

namespace {

// The print dialog on the preview's printer: printer, copies and pages, no page set-up (the
// pages are A4 portrait by design) and no file (PDFに保存 writes one). Returns the pages
// chosen and where they go, or nothing when the user cancels.
std::optional<std::pair<QList<QPicture>, kz::ui::PrintTarget>> askPrint(QPrinter& printer, const QList<QPicture>& pages,
                                                                        int current, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"印刷"_s);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, true);
    dialog.setOption(QAbstractPrintDialog::PrintShowPageSize, false);
    dialog.setMinMax(1, static_cast<int>(pages.size()));
    // With no printer at all the preview's printer writes PDF, and Windows' print dialog
    // refuses such a printer without a word (Qt's own on Linux offers it and the print
    // worker tells the failure): then say it as the sheet's print does.
    bool ran = false;
    QTimer::singleShot(0, &dialog, [&ran] { ran = true; });
    if (dialog.exec() != QDialog::Accepted) {
        if (!ran && printer.outputFormat() != QPrinter::NativeFormat) {
            QMessageBox box(QMessageBox::Warning, u"印刷"_s, kz::ui::printFailedText(), QMessageBox::Ok, parent);
            box.exec();
        }
        return std::nullopt;
    }
    QList<QPicture> chosen;
    for (int n = 1; n <= pages.size(); ++n) {
        const bool wanted = printer.printRange() == QPrinter::PageRange     ? printer.pageRanges().contains(n)
                            : printer.printRange() == QPrinter::CurrentPage ? n == current
                                                                            : true;
        if (wanted)
            chosen.append(pages[n - 1]);
    }
    return std::pair{chosen, kz::ui::PrintTarget{printer.printerName(), printer.copyCount()}};
}

} // namespace

void showPreview(QWidget* parent, Document doc, QString* client)
{
    if (client) {
        if (!askClient(parent, client))
            return;
        doc.client = *client;
    }
    const QList<QPicture> recorded = pages(doc);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4());
    printer.setFullPage(true);
    printer.setDocName(doc.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"印刷プレビュー － "_s + doc.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&recorded](QPrinter* target) { playPages(recorded, *target); });

    // A whole page in view, as large as the screen allows: an A4 page's height fills the
    // screen's height, and the width follows the page's proportion.
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    if (auto* fitPage = dialog.findChild<QAction*>(u"fitPageAction"_s))
        fitPage->trigger(); // the toolbar's own "fit page", so that its buttons show the mode
    else if (preview)
        preview->fitInView();
    if (const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        const QRect room = screen->availableGeometry();
        const int height = room.height() * 92 / 100;
        const int width = std::min(room.width(), height * 210 / 297 + 160); // the toolbar's and the frame's share
        dialog.resize(width, height);
        dialog.move(room.left() + (room.width() - width) / 2, room.top() + (room.height() - height) / 2);
    }

    // The pages are A4 portrait by design: no page set-up or turning. Printing asks where to
    // through the print dialog, then goes to the print worker instead of the preview's own
    // printer, which would wait on the print server. Each action is known by the slot it was
    // made for, not by where the toolbar puts it.
    const auto madeFor = [](QAction* a, QObject* receiver, const char* slot) {
        return receiver && QObject::disconnect(a, SIGNAL(triggered(bool)), receiver, slot);
    };
    if (auto* bar = dialog.findChild<QToolBar*>())
        for (QAction* a : bar->actions()) {
            if (madeFor(a, &dialog, SLOT(_q_pageSetup())) || madeFor(a, preview, SLOT(setPortraitOrientation()))
                || madeFor(a, preview, SLOT(setLandscapeOrientation())))
                a->setVisible(false);
            else if (madeFor(a, &dialog, SLOT(_q_print())))
                QObject::connect(a, &QAction::triggered, &dialog, [&dialog, &printer, &recorded, &doc, preview, parent] {
                    const auto asked = askPrint(printer, recorded, preview ? preview->currentPage() : 1, &dialog);
                    if (!asked)
                        return; // back to the preview
                    kz::ui::printReport(parent, asked->first, doc.title, asked->second);
                    dialog.accept();
                });
        }
    kz::ui::runModal(dialog, parent);
}

} // namespace kz::report
