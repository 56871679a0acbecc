// SPDX-License-Identifier: MIT
#include "report/pdf_attachment.h"

#include "case/case_file.h"
#include "report/qpdf_files.h"

namespace kz::report {

std::optional<QByteArray> attachedCase(const QByteArray& pdf)
{
    const auto file = attachedFile(pdf.constData(), static_cast<std::size_t>(pdf.size()), cases::kSuffix);
    if (!file)
        return std::nullopt;
    return QByteArray(file->data(), static_cast<qsizetype>(file->size()));
}

} // namespace kz::report
