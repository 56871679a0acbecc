// SPDX-License-Identifier: MIT
#include "report/pdf_attachment.h"

#include "case/case_file.h"

// qpdf's own pointer type is on its way out; std::shared_ptr throughout.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>

namespace kz::report {

std::optional<QByteArray> attachedCase(const QByteArray& pdf)
{
    try {
        QPDF doc;
        doc.setSuppressWarnings(true);
        doc.processMemoryFile("report.pdf", pdf.constData(), static_cast<size_t>(pdf.size()));
        QPDFEmbeddedFileDocumentHelper files(doc);
        for (const auto& [name, spec] : files.getEmbeddedFiles()) {
            if (!spec->getFilename().ends_with(cases::kSuffix))
                continue;
            const std::shared_ptr<Buffer> data = spec->getEmbeddedFileStream().getStreamData();
            return QByteArray(reinterpret_cast<const char*>(data->getBuffer()), static_cast<qsizetype>(data->getSize()));
        }
    } catch (const std::exception&) {
        // A damaged PDF carries nothing that can be read: the caller says so.
    }
    return std::nullopt;
}

} // namespace kz::report
