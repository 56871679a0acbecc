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

// "相続税試算_20261207.pdf": `stem`, the client's name where there is one
// ("相続税試算_山田様_20261207.pdf" for "山田様"), the report's date and `suffix`; a long
// name is shortened to fit a file name.
QString suggestedName(const QString& stem, const QDate& date, const QString& client = {},
                      QStringView suffix = u".pdf");

// "お客様名": asks for the name of the client the report is for, which may stay empty,
// offering `*client` (the name the window keeps while it is open) and putting the answer
// there. Returns false when the user cancels. The name goes into the report's heading and
// the suggested file name, nowhere else.
bool askClient(QWidget* parent, QString* client);

// "PDFに保存…": asks for a file through the program's save dialog (the suggested name first)
// and saves there. A failure is told: "PDFを保存できませんでした。" and why. Returns the path
// saved, or an empty string. With `client`, the client's name is asked first (askClient)
// and printed in the heading.
QString saveWithDialog(QWidget* parent, Document doc, const QString& stem, QString* client = nullptr);

// "印刷プレビュー…": the document's pages in Qt's print preview, modal, a whole page in
// view. Its print command asks through the print dialog (printer, copies, pages), then
// hands the pages chosen to the print worker (no wait on the printer, the time limit, the
// failure message) and closes the preview; cancelled, the preview stays.
// With `client`, the client's name is asked first, as the save asks it.
void showPreview(QWidget* parent, Document doc, QString* client = nullptr);

} // namespace kz::report
