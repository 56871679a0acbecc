// SPDX-License-Identifier: MIT
#include "report/output.h"

#include "case/case_file.h"
#include "ui/print.h"
#include "ui/save_file.h"

#include <QAction>
#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>

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

QString suggestedName(const QString& stem, const QDate& date)
{
    return stem + u'_' + date.toString(u"yyyyMMdd"_s) + u".pdf"_s;
}

QString saveWithDialog(QWidget* parent, const Document& doc, const QString& stem)
{
    const kz::ui::SaveRequest request{u"PDFに保存"_s, suggestedName(stem, doc.date), u"PDF (*.pdf)"_s, u"pdf"_s,
                                      u"PDFを保存できませんでした。"_s};
    const QByteArray pdf = pdfBytes(doc);
    if (pdf.isEmpty()) {
        kz::ui::tellSaveFailed(parent, request, kNotMade);
        return {};
    }
    return kz::ui::saveWithDialog(parent, request, pdf);
}

void showPreview(QWidget* parent, const Document& doc)
{
    const QList<QPicture> recorded = pages(doc);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4());
    printer.setFullPage(true);
    printer.setDocName(doc.title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(u"印刷プレビュー － "_s + doc.title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&recorded](QPrinter* target) { playPages(recorded, *target); });

    // The pages are A4 portrait by design: no page set-up or turning. Printing goes to the
    // print worker instead of the preview's own printer, which would wait on the print server.
    // Each action is known by the slot it was made for, not by where the toolbar puts it.
    auto* preview = dialog.findChild<QPrintPreviewWidget*>();
    const auto madeFor = [](QAction* a, QObject* receiver, const char* slot) {
        return receiver && QObject::disconnect(a, SIGNAL(triggered(bool)), receiver, slot);
    };
    if (auto* bar = dialog.findChild<QToolBar*>())
        for (QAction* a : bar->actions()) {
            if (madeFor(a, &dialog, SLOT(_q_pageSetup())) || madeFor(a, preview, SLOT(setPortraitOrientation()))
                || madeFor(a, preview, SLOT(setLandscapeOrientation())))
                a->setVisible(false);
            else if (madeFor(a, &dialog, SLOT(_q_print())))
                QObject::connect(a, &QAction::triggered, &dialog, [&dialog, &recorded, &doc, parent] {
                    kz::ui::printReport(parent, recorded, doc.title);
                    dialog.accept();
                });
        }
    dialog.exec();
    if (parent)
        parent->activateWindow();
}

} // namespace kz::report
