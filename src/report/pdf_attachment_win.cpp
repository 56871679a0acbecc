// SPDX-License-Identifier: MIT
#include "report/pdf_attachment.h"

namespace kz::report {

// qpdf, which reads the attachment on Linux, is not built for Windows yet: a report's case is
// written there (by Qt) but not read back, and opening a report says so.
Attachment attachedCase(const QByteArray&) { return {std::nullopt, Attachment::Fault::Damaged}; }

QString pdfReaderMissing()
{
    return QStringLiteral("この版では PDF に添付したケースを読み込めません。保存したケースファイル（.kazenoha）を開いてください。");
}

} // namespace kz::report
