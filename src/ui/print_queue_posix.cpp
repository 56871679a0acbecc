// SPDX-License-Identifier: MIT
#include "ui/print_queue.h"

#include <QDir>
#include <QLibrary>
#include <QPdfWriter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <cups/cups.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

// The print server's library, loaded on the first print rather than linked: linked, it and
// the dozen libraries it needs (TLS, Kerberos, service discovery) would load at every start.
struct CupsApi {
    using SetPasswordCb2 = void (*)(cups_password_cb2_t, void*);
    using PrintFile = int (*)(const char*, const char*, const char*, int, cups_option_t*);
    using CancelJob2 = ipp_status_t (*)(http_t*, const char*, int, int);
    SetPasswordCb2 setPasswordCB2 = nullptr;
    PrintFile printFile = nullptr;
    CancelJob2 cancelJob2 = nullptr;

    bool loaded() const { return setPasswordCB2 && printFile && cancelJob2; }
};

const CupsApi& cups()
{
    static const CupsApi api = [] {
        CupsApi a;
        QLibrary lib(u"cups"_s, 2);
        lib.setLoadHints(QLibrary::PreventUnloadHint);
        if (!lib.load())
            return a;
        a.setPasswordCB2 = reinterpret_cast<CupsApi::SetPasswordCb2>(lib.resolve("cupsSetPasswordCB2"));
        a.printFile = reinterpret_cast<CupsApi::PrintFile>(lib.resolve("cupsPrintFile"));
        a.cancelJob2 = reinterpret_cast<CupsApi::CancelJob2>(lib.resolve("cupsCancelJob2"));
        return a;
    }();
    return api;
}

// Nobody is there to give a password to on this thread (Qt's printer support would ask with
// a dialog, which only the user-interface thread may show): a server that wants one refuses
// the job. Set again after the printer look-up, which may set up Qt's own.
void refusePasswords()
{
    cups().setPasswordCB2([](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
                          nullptr);
}

// The page as a PDF file fitted within the margins. PDF/A-1b carries no transparency: the
// soft edges that widgets paint would otherwise make a print server's converter turn the
// whole page into pixels, text included.
bool writePdf(const QList<QPicture>& pages, PageOrientation orientation, const QPageSize& paper,
              const QString& docName, const QString& fileName)
{
    QPdfWriter writer(fileName);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(1200);
    writer.setTitle(docName);
    writer.setPageLayout(printLayout(orientation, paper));
    return paintFitted(writer, writer.resolution(), pages);
}

} // namespace

bool openPrintQueue()
{
    if (!cups().loaded())
        return false;
    refusePasswords();
    return true;
}

bool queuePages(const QPrinterInfo& info, const QPageSize& paper, const QList<QPicture>& pages,
                PageOrientation orientation, const QString& docName, int copies,
                const std::function<bool()>& givenUp)
{
    QTemporaryFile file(QDir::tempPath() + u"/kazenoha-XXXXXX.pdf"_s);
    if (!file.open() || !writePdf(pages, orientation, paper, docName, file.fileName()))
        return false;
    // Sent by the print server's own library, which, unlike Qt's printer, tells whether the
    // queue took the job (a queue that rejects jobs says so here).
    const QByteArray printer = info.printerName().toUtf8();
    refusePasswords();
    if (givenUp())
        return false;
    const CupsApi& api = cups();
    QByteArray count = QByteArray::number(std::max(1, copies));
    cups_option_t copiesOption{const_cast<char*>("copies"), count.data()};
    const int job = api.printFile(printer.constData(), QFile::encodeName(file.fileName()).constData(),
                                  docName.toUtf8().constData(), copies > 1 ? 1 : 0,
                                  copies > 1 ? &copiesOption : nullptr);
    // The user has been told that nothing prints: a job that went out after all is taken back.
    if (job > 0 && givenUp()) {
        api.cancelJob2(CUPS_HTTP_DEFAULT, printer.constData(), job, 0);
        return false;
    }
    return job > 0;
}

} // namespace kz::ui
