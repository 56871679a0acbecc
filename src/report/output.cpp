// SPDX-License-Identifier: MIT
#include "report/output.h"

#include "case/case_file.h"
#include "ui/print.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>
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

} // namespace

bool savePdf(const Document& doc, const QString& path, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(1200);
        writer.setTitle(doc.title);
        writer.setCreator(u"kazenoha"_s);
        writer.setPageLayout(a4());
        if (!doc.caseFile.isEmpty())
            writer.addFileAttachment(doc.caseFileName, doc.caseFile, QString::fromLatin1(cases::kMimeType));
        if (!playPages(pages(doc), writer)) {
            file.cancelWriting();
            return fail(file.error() != QFileDevice::NoError ? file.errorString() : u"PDFを作成できません。"_s);
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

QString suggestedPath(const QString& stem, const QDate& date)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return QDir(folder).filePath(stem + u'_' + date.toString(u"yyyyMMdd"_s) + u".pdf"_s);
}

QString saveWithDialog(QWidget* parent, const Document& doc, const QString& stem)
{
    const QString path = QFileDialog::getSaveFileName(parent, u"PDFに保存"_s, suggestedPath(stem, doc.date),
                                                      u"PDF (*.pdf)"_s);
    if (path.isEmpty())
        return {};
    QString why;
    if (savePdf(doc, path, &why))
        return path;
    QMessageBox box(QMessageBox::Warning, u"PDFに保存"_s, u"PDFを保存できませんでした。\n"_s + why, QMessageBox::Ok,
                    parent);
    box.exec();
    if (parent)
        parent->activateWindow();
    return {};
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
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        const QList<QAction*> actions = bar->actions();
        for (QAction* a : actions)
            if (a->isCheckable() && a->objectName().isEmpty()) // portrait, landscape; the view modes have names
                a->setVisible(false);
        if (actions.size() >= 2) {
            actions[actions.size() - 2]->setVisible(false); // page set-up, next to print at the end
            QAction* print = actions.last();
            QObject::disconnect(print, &QAction::triggered, nullptr, nullptr);
            QObject::connect(print, &QAction::triggered, &dialog, [&dialog, &recorded, &doc, parent] {
                kz::ui::printReport(parent, recorded, doc.title);
                dialog.accept();
            });
        }
    }
    dialog.exec();
    if (parent)
        parent->activateWindow();
}

} // namespace kz::report
