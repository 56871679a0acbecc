// SPDX-License-Identifier: MIT
#include "report/pdf_attachment.h"

#include "core/case/case_file.h"

#include <QLibrary>

#include <qpdf/qpdf-c.h>
#include <zlib.h>

#include <cstdlib>
#include <set>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::report {

namespace {

using Fault = Attachment::Fault;

// A report holds one attachment in a flat tree; a tree of this size is no report's.
constexpr int kMaxNodes = 256;
constexpr int kMaxEntries = 4096;

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
    decltype(&qpdf_get_error) error = nullptr;
    decltype(&qpdf_get_error_code) errorCode = nullptr;
    decltype(&qpdf_get_root) root = nullptr;
    decltype(&qpdf_oh_get_key) key = nullptr;
    decltype(&qpdf_oh_get_dict) dict = nullptr;
    decltype(&qpdf_oh_is_array) isArray = nullptr;
    decltype(&qpdf_oh_is_string) isString = nullptr;
    decltype(&qpdf_oh_is_null) isNull = nullptr;
    decltype(&qpdf_oh_is_dictionary) isDict = nullptr;
    decltype(&qpdf_oh_is_stream) isStream = nullptr;
    decltype(&qpdf_oh_is_name_and_equals) isName = nullptr;
    decltype(&qpdf_oh_get_object_id) objectId = nullptr;
    decltype(&qpdf_oh_get_generation) generation = nullptr;
    decltype(&qpdf_oh_get_array_n_items) arraySize = nullptr;
    decltype(&qpdf_oh_get_array_item) arrayItem = nullptr;
    decltype(&qpdf_oh_get_utf8_value) utf8 = nullptr;
    decltype(&qpdf_oh_get_stream_data) streamData = nullptr;

    bool loaded() const
    {
        return init && cleanup && silenceErrors && suppressWarnings && readMemory && error && errorCode && root && key
               && dict && isArray && isString && isNull && isDict && isStream && isName && objectId && generation && arraySize && arrayItem
               && utf8 && streamData;
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
        get(a.error, "qpdf_get_error");
        get(a.errorCode, "qpdf_get_error_code");
        get(a.root, "qpdf_get_root");
        get(a.key, "qpdf_oh_get_key");
        get(a.dict, "qpdf_oh_get_dict");
        get(a.isArray, "qpdf_oh_is_array");
        get(a.isString, "qpdf_oh_is_string");
        get(a.isNull, "qpdf_oh_is_null");
        get(a.isDict, "qpdf_oh_is_dictionary");
        get(a.isStream, "qpdf_oh_is_stream");
        get(a.isName, "qpdf_oh_is_name_and_equals");
        get(a.objectId, "qpdf_oh_get_object_id");
        get(a.generation, "qpdf_oh_get_generation");
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

// Inflates a FlateDecode stream by pieces and stops one byte past the limit: a stream of a
// few kilobytes can stand for gigabytes of zeros, so its size is known only by inflating.
Attachment inflateBounded(std::string_view raw, std::size_t limit)
{
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return {std::nullopt, Fault::Broken};
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(raw.data()));
    z.avail_in = static_cast<uInt>(raw.size());
    QByteArray out;
    int rc = Z_OK;
    while (rc == Z_OK && static_cast<std::size_t>(out.size()) <= limit) {
        const qsizetype at = out.size();
        const std::size_t room = std::min<std::size_t>(64 << 10, limit + 1 - static_cast<std::size_t>(at));
        out.resize(at + static_cast<qsizetype>(room));
        z.next_out = reinterpret_cast<Bytef*>(out.data() + at);
        z.avail_out = static_cast<uInt>(room);
        rc = inflate(&z, Z_NO_FLUSH);
        out.resize(at + static_cast<qsizetype>(room - z.avail_out));
    }
    inflateEnd(&z);
    if (static_cast<std::size_t>(out.size()) > limit)
        return {std::nullopt, Fault::TooLarge};
    if (rc != Z_STREAM_END) // corrupt, or cut short
        return {std::nullopt, Fault::Broken};
    return {std::move(out), Fault::None};
}

// The embedded file's bytes: raw from qpdf, inflated here with a bound. Qt writes a case
// with FlateDecode or with no filter; any other is no report of this program's.
Attachment fileData(const QpdfApi& q, qpdf_data d, qpdf_oh fileEntry)
{
    // Each object's type is asked before it is used: qpdf's C interface answers a wrong
    // type with null but also prints a warning of its own.
    const qpdf_oh files = q.key(d, fileEntry, "/EF");
    if (!q.isDict(d, files))
        return {std::nullopt, Fault::Broken};
    qpdf_oh stream = q.key(d, files, "/UF");
    if (!q.isStream(d, stream))
        stream = q.key(d, files, "/F");
    if (!q.isStream(d, stream))
        return {std::nullopt, Fault::Broken};
    unsigned char* data = nullptr;
    std::size_t size = 0;
    if (!succeeded(q.streamData(d, stream, qpdf_dl_none, nullptr, &data, &size)) || !data) {
        std::free(data);
        return {std::nullopt, Fault::Broken};
    }
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const qpdf_oh dict = q.dict(d, stream);
    qpdf_oh filter = q.key(d, dict, "/Filter");
    if (q.isArray(d, filter) && q.arraySize(d, filter) == 1)
        filter = q.arrayItem(d, filter, 0);
    const qpdf_oh parms = q.key(d, dict, "/DecodeParms");
    const bool plainParms = q.isNull(d, parms) || (q.isArray(d, parms) && q.arraySize(d, parms) == 0);
    Attachment file{std::nullopt, Fault::Compression};
    if (q.isNull(d, filter))
        file = size > cases::kMaxFileBytes
                   ? Attachment{std::nullopt, Fault::TooLarge}
                   : Attachment{QByteArray(raw.data(), static_cast<qsizetype>(size)), Fault::None};
    else if (q.isName(d, filter, "/FlateDecode") && plainParms)
        file = inflateBounded(raw, cases::kMaxFileBytes);
    std::free(data);
    return file;
}

// Walks the embedded-files name tree (each node's /Names pairs, then its /Kids) for the
// first file whose name ends with `suffix`. A node reached twice (a /Kids entry pointing
// back at an ancestor, or two paths to one node) is walked once, and the whole walk has a
// budget: a tree of a thousand nodes that each list the next twice would otherwise take
// 2^depth steps. A damaged PDF gives null objects, which end a branch.
Attachment findFile(const QpdfApi& q, qpdf_data d, qpdf_oh top, std::string_view suffix)
{
    std::vector<qpdf_oh> pending{top};
    std::set<std::pair<int, int>> seen;
    int nodes = 0, entries = 0;
    while (!pending.empty()) {
        const qpdf_oh node = pending.back();
        pending.pop_back();
        if (const int id = q.objectId(d, node); id != 0 && !seen.insert({id, q.generation(d, node)}).second)
            continue;
        if (++nodes > kMaxNodes)
            return {std::nullopt, Fault::TooComplex};
        if (!q.isDict(d, node))
            continue;
        const qpdf_oh names = q.key(d, node, "/Names");
        const int count = q.isArray(d, names) ? q.arraySize(d, names) : 0;
        for (int i = 1; i < count; i += 2) {
            if (++entries > kMaxEntries)
                return {std::nullopt, Fault::TooComplex};
            const qpdf_oh fileEntry = q.arrayItem(d, names, i);
            if (!q.isDict(d, fileEntry))
                continue;
            qpdf_oh nameObject = q.key(d, fileEntry, "/UF");
            if (!q.isString(d, nameObject))
                nameObject = q.key(d, fileEntry, "/F");
            const std::string_view name = q.isString(d, nameObject) ? q.utf8(d, nameObject) : "";
            if (name.ends_with(suffix))
                return fileData(q, d, fileEntry);
        }
        const qpdf_oh kids = q.key(d, node, "/Kids");
        const int kidCount = q.isArray(d, kids) ? q.arraySize(d, kids) : 0;
        if (kidCount > kMaxNodes)
            return {std::nullopt, Fault::TooComplex};
        // Last kid pushed first: the walk goes left to right, as the tree's order of names.
        for (int i = kidCount - 1; i >= 0; --i)
            pending.push_back(q.arrayItem(d, kids, i));
    }
    return {std::nullopt, Fault::NoCase};
}

// Every PDF ends with "%%EOF" (and perhaps a line end); a file cut short does not.
bool cutOff(const QByteArray& pdf)
{
    return !pdf.right(64).contains("%%EOF");
}

} // namespace

QString pdfReaderMissing()
{
    if (qpdf().loaded())
        return {};
    return u"PDF を読むためのライブラリ（qpdf）が見つかりません。保存したケースファイル（%1）を開いてください。"_s.arg(
        QLatin1StringView(cases::kSuffix.data(), static_cast<qsizetype>(cases::kSuffix.size())));
}

Attachment attachedCase(const QByteArray& pdf)
{
    const QpdfApi& q = qpdf();
    if (!q.loaded())
        return {std::nullopt, Fault::Damaged};
    qpdf_data d = q.init();
    q.silenceErrors(d);
    q.suppressWarnings(d, QPDF_TRUE);
    Attachment file{std::nullopt, Fault::Damaged};
    if (succeeded(q.readMemory(d, "report.pdf", pdf.constData(), static_cast<unsigned long long>(pdf.size()), "")))
        file = findFile(q, d, q.key(d, q.key(d, q.root(d), "/Names"), "/EmbeddedFiles"), cases::kSuffix);
    else if (q.errorCode(d, q.error(d)) == qpdf_e_password)
        file.fault = Fault::Password;
    q.cleanup(&d);
    // A cut-off report loses its attachment first (Qt writes it last); say why it is missing.
    if (!file.file && file.fault != Fault::Password && cutOff(pdf))
        file.fault = Fault::CutOff;
    return file;
}

} // namespace kz::report
