// SPDX-License-Identifier: MIT
#include "report/qpdf_files.h"

// qpdf's own pointer type is on its way out; std::shared_ptr throughout.
#define POINTERHOLDER_TRANSITION 4
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFEmbeddedFileDocumentHelper.hh>
#include <qpdf/QPDFFileSpecObjectHelper.hh>

namespace kz::report {

std::optional<std::string> attachedFile(const char* pdf, std::size_t size, std::string_view suffix)
{
    try {
        QPDF doc;
        doc.setSuppressWarnings(true);
        doc.processMemoryFile("report.pdf", pdf, size);
        QPDFEmbeddedFileDocumentHelper files(doc);
        for (const auto& [name, fileSpec] : files.getEmbeddedFiles()) {
            const std::string file = fileSpec->getFilename();
            if (file.size() < suffix.size() || file.compare(file.size() - suffix.size(), suffix.size(), suffix) != 0)
                continue;
            const std::shared_ptr<Buffer> data = fileSpec->getEmbeddedFileStream().getStreamData();
            return std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        }
    } catch (const std::exception&) {
        // A damaged PDF carries nothing that can be read: the caller says so.
    }
    return std::nullopt;
}

} // namespace kz::report
