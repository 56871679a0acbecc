// SPDX-License-Identifier: MIT
#pragma once
// The case a saved report carries: Qt writes it into the PDF (QPdfWriter::addFileAttachment);
// reading it back is per platform (pdf_attachment_posix.cpp with qpdf, pdf_attachment_win.cpp).
#include <QByteArray>
#include <QString>

#include <optional>

namespace kz::report {

// A PDF comes from outside: every step of reading it has a bound, and a refusal says what
// the file is rather than only that it holds no case.
struct Attachment {
    enum class Fault {
        None,
        NoCase,      // a readable PDF without a case attached
        Damaged,     // not readable as a PDF
        CutOff,      // its end is missing: a download or a copy that stopped
        Password,    // locked with a password to open it
        Broken,      // the attachment's data does not decode
        Compression, // compressed in a way a report of this program never is
        TooLarge,    // the attachment is larger than a case file may be
        TooComplex,  // more attachments and folders of them than a report holds
    };
    std::optional<QByteArray> file;
    Fault fault = Fault::NoCase;
};

// The first attached file whose name ends with the case file's suffix.
Attachment attachedCase(const QByteArray& pdf);

// Why no PDF can be read here at all, in Japanese; empty where PDFs can be read.
QString pdfReaderMissing();

} // namespace kz::report
