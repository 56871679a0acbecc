// SPDX-License-Identifier: MIT
#pragma once
// The case a saved report carries: Qt writes it into the PDF (QPdfWriter::addFileAttachment),
// qpdf reads it back, since Qt reads no PDF.
#include <QByteArray>
#include <QString>

#include <optional>

namespace kz::report {

// The first attached file whose name ends with the case file's suffix; none for a PDF
// without one or one that cannot be read.
std::optional<QByteArray> attachedCase(const QByteArray& pdf);

// Why no PDF can be read here at all, in Japanese; empty where PDFs can be read.
QString pdfReaderMissing();

} // namespace kz::report
