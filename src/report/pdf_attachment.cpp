// SPDX-License-Identifier: MIT
#include "report/pdf_attachment.h"

#include "core/case/case_file.h"

#include <QLibrary>

#include <qpdf/qpdf-c.h>

#include <cstdlib>
#include <string_view>
#include <type_traits>

using namespace Qt::StringLiterals;

namespace kz::report {

namespace {

// qpdf is loaded on the first PDF opened, not with the program: linked, it and the TLS
// libraries it needs (gnutls, p11-kit, nettle …) took 4 MB of every running program and
// their set-up lengthened every start. Its C interface is used because it is stable across
// qpdf's versions and catches qpdf's exceptions itself.
struct QpdfApi {
    decltype(&qpdf_init) init = nullptr;
    decltype(&qpdf_cleanup) cleanup = nullptr;
    decltype(&qpdf_silence_errors) silenceErrors = nullptr;
    decltype(&qpdf_set_suppress_warnings) suppressWarnings = nullptr;
    decltype(&qpdf_read_memory) readMemory = nullptr;
    decltype(&qpdf_get_root) root = nullptr;
    decltype(&qpdf_oh_get_key) key = nullptr;
    decltype(&qpdf_oh_is_array) isArray = nullptr;
    decltype(&qpdf_oh_is_string) isString = nullptr;
    decltype(&qpdf_oh_get_array_n_items) arraySize = nullptr;
    decltype(&qpdf_oh_get_array_item) arrayItem = nullptr;
    decltype(&qpdf_oh_get_utf8_value) utf8 = nullptr;
    decltype(&qpdf_oh_get_stream_data) streamData = nullptr;

    bool loaded() const
    {
        return init && cleanup && silenceErrors && suppressWarnings && readMemory && root && key && isArray
               && isString && arraySize && arrayItem && utf8 && streamData;
    }
};

const QpdfApi& qpdf()
{
    static const QpdfApi api = [] {
        QpdfApi a;
        QLibrary lib(u"qpdf"_s, 29);
        lib.setLoadHints(QLibrary::PreventUnloadHint);
        if (!lib.load())
            return a;
        auto get = [&lib](auto& fn, const char* name) { fn = reinterpret_cast<std::decay_t<decltype(fn)>>(lib.resolve(name)); };
        get(a.init, "qpdf_init");
        get(a.cleanup, "qpdf_cleanup");
        get(a.silenceErrors, "qpdf_silence_errors");
        get(a.suppressWarnings, "qpdf_set_suppress_warnings");
        get(a.readMemory, "qpdf_read_memory");
        get(a.root, "qpdf_get_root");
        get(a.key, "qpdf_oh_get_key");
        get(a.isArray, "qpdf_oh_is_array");
        get(a.isString, "qpdf_oh_is_string");
        get(a.arraySize, "qpdf_oh_get_array_n_items");
        get(a.arrayItem, "qpdf_oh_get_array_item");
        get(a.utf8, "qpdf_oh_get_utf8_value");
        get(a.streamData, "qpdf_oh_get_stream_data");
        return a;
    }();
    return api;
}

// Warnings (a damaged file qpdf could mend) still give what was read; errors give nothing.
bool succeeded(QPDF_ERROR_CODE code) { return (code & QPDF_ERRORS) == 0; }

// Walks the embedded-files name tree (its /Names pairs, then its /Kids) for the first file
// whose name ends with `suffix`. A damaged PDF gives null objects, which end the walk.
std::optional<QByteArray> findFile(const QpdfApi& q, qpdf_data d, qpdf_oh node, std::string_view suffix, int depth)
{
    if (depth > 32) // a tree that refers to itself
        return std::nullopt;
    const qpdf_oh names = q.key(d, node, "/Names");
    if (q.isArray(d, names)) {
        for (int i = 1; i < q.arraySize(d, names); i += 2) {
            const qpdf_oh fileEntry = q.arrayItem(d, names, i);
            qpdf_oh nameObject = q.key(d, fileEntry, "/UF");
            if (!q.isString(d, nameObject))
                nameObject = q.key(d, fileEntry, "/F");
            const std::string_view name = q.isString(d, nameObject) ? q.utf8(d, nameObject) : "";
            if (!name.ends_with(suffix))
                continue;
            const qpdf_oh files = q.key(d, fileEntry, "/EF");
            qpdf_oh stream = q.key(d, files, "/UF");
            unsigned char* data = nullptr;
            std::size_t size = 0;
            QPDF_BOOL decoded = QPDF_FALSE;
            if (!succeeded(q.streamData(d, stream, qpdf_dl_generalized, &decoded, &data, &size)) || !data) {
                stream = q.key(d, files, "/F");
                if (!succeeded(q.streamData(d, stream, qpdf_dl_generalized, &decoded, &data, &size)) || !data)
                    return std::nullopt;
            }
            std::optional<QByteArray> file;
            if (decoded)
                file = QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
            std::free(data);
            return file;
        }
    }
    const qpdf_oh kids = q.key(d, node, "/Kids");
    if (q.isArray(d, kids))
        for (int i = 0; i < q.arraySize(d, kids); ++i)
            if (auto file = findFile(q, d, q.arrayItem(d, kids, i), suffix, depth + 1))
                return file;
    return std::nullopt;
}

} // namespace

QString pdfReaderMissing()
{
    if (qpdf().loaded())
        return {};
    return u"PDF を読むためのライブラリ（qpdf）が見つかりません。保存したケースファイル（%1）を開いてください。"_s.arg(
        QLatin1StringView(cases::kSuffix.data(), static_cast<qsizetype>(cases::kSuffix.size())));
}

std::optional<QByteArray> attachedCase(const QByteArray& pdf)
{
    const QpdfApi& q = qpdf();
    if (!q.loaded())
        return std::nullopt;
    qpdf_data d = q.init();
    q.silenceErrors(d);
    q.suppressWarnings(d, QPDF_TRUE);
    std::optional<QByteArray> file;
    if (succeeded(q.readMemory(d, "report.pdf", pdf.constData(), static_cast<unsigned long long>(pdf.size()), "")))
        file = findFile(q, d, q.key(d, q.key(d, q.root(d), "/Names"), "/EmbeddedFiles"), cases::kSuffix, 0);
    q.cleanup(&d);
    return file;
}

} // namespace kz::report
