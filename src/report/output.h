// SPDX-License-Identifier: MIT
#pragma once
// The report's ways out: a PDF file, a print preview, and printing through the print
// worker. A window calls these with the document it made of its current state.
#include "report/report.h"

#include <QString>

class QWidget;

namespace kz::report {

// Writes the document as a PDF through a temporary file renamed over `path`, so that a
// failure leaves no partial file and an existing file as it was. On failure returns false
// and says why in `error`.
bool savePdf(const Document& doc, const QString& path, QString* error = nullptr);

// "相続税試算_20261207.pdf" in the user's documents folder: `stem` and the report's date.
QString suggestedPath(const QString& stem, const QDate& date);

// "PDFに保存…": asks for a file (the suggested one first; the dialog asks before it
// overwrites) and saves there. A failure is told: "PDFを保存できませんでした。" and why.
// Returns the path saved, or an empty string.
QString saveWithDialog(QWidget* parent, const Document& doc, const QString& stem);

// "印刷プレビュー…": the document's pages in Qt's print preview, modal, a whole page in
// view. Its print command asks through the print dialog (printer, copies, pages), then
// hands the pages chosen to the print worker (no wait on the printer, the time limit, the
// failure message) and closes the preview; cancelled, the preview stays.
void showPreview(QWidget* parent, const Document& doc);

} // namespace kz::report
