// SPDX-License-Identifier: MIT
#pragma once
// The report's ways out: a PDF file, a print preview, and printing through the print
// worker. A window calls these with the document it made of its current state.
#include "report/report.h"

#include <QString>

class QWidget;

namespace kz::report {

// The document as a whole PDF file in memory; empty if it could not be made.
QByteArray pdfBytes(const Document& doc);

// Writes the document as a PDF through the program's one save routine (ui/save_file.h): a
// failure leaves no partial file and an existing file as it was. On failure returns false
// and says why, in Japanese, in `error`.
bool savePdf(const Document& doc, const QString& path, QString* error = nullptr);

// "相続税試算_20261207.pdf": `stem` and the report's date.
QString suggestedName(const QString& stem, const QDate& date);

// "PDFに保存…": asks for a file through the program's save dialog (the suggested name first)
// and saves there. A failure is told: "PDFを保存できませんでした。" and why. Returns the path
// saved, or an empty string.
QString saveWithDialog(QWidget* parent, const Document& doc, const QString& stem);

// "印刷プレビュー…": the document's pages in Qt's print preview, modal. Its print command
// hands the pages to the print worker (no wait on the printer, the time limit, the
// failure message) and closes the preview.
void showPreview(QWidget* parent, const Document& doc);

} // namespace kz::report
