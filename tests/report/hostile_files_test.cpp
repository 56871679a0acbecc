// SPDX-License-Identifier: MIT
// Files from outside as a hostile or unlucky sender makes them, opened through the path 開く…,
// a dropped file and `kazenoha FILE` share: each ends within a second of processor time and
// 100 MB of memory, with the case or a reason that says what the file is. Each row runs in a
// child process, so that its time and peak memory are its own and a file that blocks fails
// the row (the child is stopped) instead of hanging the suite.
#include "core/case/case_file.h"
#include "file_commands/case_io.h"
#include "report/pdf_attachment.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kCase = R"({"kazenoha": 1, "second": {"estate": 100000, "children": 2, "spouse_share": 40000}})";

QByteArray padded(qsizetype size) { return kCase + QByteArray(size - kCase.size(), ' '); }

QByteArray deflated(const QByteArray& bytes)
{
    uLongf size = compressBound(static_cast<uLong>(bytes.size()));
    QByteArray out(static_cast<qsizetype>(size), '\0');
    compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(bytes.constData()),
              static_cast<uLong>(bytes.size()), 9);
    out.resize(static_cast<qsizetype>(size));
    return out;
}

// A valid zlib stream of `mib` MiB of zeros (about a thousandth of it), made without
// deflating them all: after a full flush deflate forgets what came before, so every
// further MiB of zeros compresses to the same bytes.
QByteArray zeroBomb(int mib)
{
    const QByteArray chunk(1 << 20, '\0');
    z_stream z{};
    deflateInit(&z, 9);
    const auto pass = [&](const QByteArray& in, int flush) {
        z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.constData()));
        z.avail_in = static_cast<uInt>(in.size());
        QByteArray out;
        do {
            char buf[1 << 14];
            z.next_out = reinterpret_cast<Bytef*>(buf);
            z.avail_out = sizeof buf;
            deflate(&z, flush);
            out.append(buf, static_cast<qsizetype>(sizeof buf - z.avail_out));
        } while (z.avail_out == 0);
        return out;
    };
    QByteArray out = pass(chunk, Z_FULL_FLUSH);
    const QByteArray next = pass(chunk, Z_FULL_FLUSH);
    for (int i = 2; i < mib; ++i)
        out += next;
    out += pass({}, Z_FINISH);
    deflateEnd(&z);
    // The check value deflate wrote covers the two MiB it saw; the stream holds `mib`.
    const uLong one = adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(chunk.constData()), 1 << 20);
    uLong all = one;
    for (int i = 1; i < mib; ++i)
        all = adler32_combine(all, one, 1 << 20);
    for (int i = 0; i < 4; ++i)
        out[out.size() - 4 + i] = static_cast<char>((all >> (24 - 8 * i)) & 0xff);
    return out;
}

// A PDF written by hand: object 1 the catalogue, 2 the (empty) pages, 3 the embedded-files
// tree, then `more` from object 4 on.
QByteArray pdf(const QByteArray& tree, const QList<QByteArray>& more, const QByteArray& trailer = {})
{
    QList<QByteArray> objects{"<< /Type /Catalog /Pages 2 0 R /Names << /EmbeddedFiles 3 0 R >> >>",
                              "<< /Type /Pages /Kids [] /Count 0 >>", tree};
    objects += more;
    QByteArray out = "%PDF-1.7\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets << out.size();
        out += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = out.size();
    out += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype at : offsets)
        out += QByteArray::number(at).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R " + trailer
           + ">>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return out;
}

QByteArray stream(const QByteArray& data, const QByteArray& filter = "/FlateDecode")
{
    return "<< /Length " + QByteArray::number(data.size()) + (filter.isEmpty() ? "" : " /Filter " + filter)
           + " >>\nstream\n" + data + "\nendstream";
}

// A report whose attachment "case.kazenoha" is the stream given.
QByteArray reportWith(const QByteArray& attachment)
{
    return pdf("<< /Names [(case.kazenoha) 4 0 R] >>",
               {"<< /Type /Filespec /F (case.kazenoha) /UF (case.kazenoha) /EF << /F 5 0 R >> >>", attachment});
}

struct Measured {
    bool ended = false; // false: stopped after 10 s, or died
    bool opened = false;
    double cpuSeconds = 0;
    long growthKiB = 0;
    QString refusal;
};

double seconds(const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; }

// The child writes "cpu growth opened" and the refusal on a line each beside the file.
Measured openMeasured(const QString& path)
{
    const QString result = path + u".result"_s;
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(10);
        rusage before{}, after{};
        ::getrusage(RUSAGE_SELF, &before);
        const kz::files::OpenedFile opened = kz::files::readCase(path);
        ::getrusage(RUSAGE_SELF, &after);
        const double cpu = seconds(after.ru_utime) - seconds(before.ru_utime) + seconds(after.ru_stime) - seconds(before.ru_stime);
        QFile out(result);
        const bool written = out.open(QIODevice::WriteOnly)
                             && out.write(QByteArray::number(cpu, 'f', 4) + ' ' + QByteArray::number(after.ru_maxrss - before.ru_maxrss)
                                          + ' ' + (opened.kase ? '1' : '0') + '\n' + opened.refusal.toUtf8()) > 0;
        out.close();
        ::_exit(written ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    QFile in(result);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !in.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> figures = in.readLine().trimmed().split(' ');
    return {true, figures.value(2) == "1", figures.value(0).toDouble(), figures.value(1).toLong(), QString::fromUtf8(in.readAll())};
}

} // namespace

class HostileFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        // Loaded once here, so that a row measures the reading and not the library's loading.
        QVERIFY(kz::report::pdfReaderMissing().isEmpty());
    }

    void refusedInBoundedTimeAndMemory_data()
    {
        QTest::addColumn<std::function<void(const QString&)>>("make");
        QTest::addColumn<QString>("reason"); // empty: the case opens
        const auto write = [](const QByteArray& bytes) {
            return std::function<void(const QString&)>([bytes](const QString& path) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
            });
        };
        const auto link = [](const char* target) {
            return std::function<void(const QString&)>(
                [target](const QString& path) { QCOMPARE(::symlink(target, QFile::encodeName(path).constData()), 0); });
        };
        const QString notAFile = u"ファイルではありません（パイプや装置は開けません）。"_s;
        const qsizetype limit = kz::cases::kMaxFileBytes;
        QTest::newRow("a FIFO") << std::function<void(const QString&)>([](const QString& path) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }) << notAFile;
        QTest::newRow("a link to /dev/zero") << link("/dev/zero") << notAFile;
        QTest::newRow("a link to /dev/urandom") << link("/dev/urandom") << notAFile;
        for (const QByteArray& start : {QByteArray("{\"kazenoha\": 1"), QByteArray("%PDF-1.7\n")})
            QTest::addRow("a sparse file of 2 GiB starting %s", start.left(5).constData())
                << std::function<void(const QString&)>([start](const QString& path) {
                       QFile f(path);
                       QVERIFY(f.open(QIODevice::WriteOnly) && f.write(start) == start.size() && f.resize(qint64(2) << 30));
                   })
                << (start.startsWith('%') ? u"PDF が大きすぎます"_s : u"ケースファイルとしては大きすぎます"_s);
        QTest::newRow("a name tree whose kids lead back to it")
            << write(pdf("<< /Kids [4 0 R 5 0 R] >>", {"<< /Kids [5 0 R 3 0 R 4 0 R] >>", "<< /Kids [4 0 R 3 0 R 5 0 R] >>"}))
            << u"この PDF にはケースが添付されていません。"_s;
        QByteArray names = "<< /Names [";
        for (int i = 0; i < 5000; ++i)
            names += "(a) null ";
        QTest::newRow("a name tree of 5,000 names") << write(pdf(names + "] >>", {})) << u"目録が複雑すぎます"_s;
        QTest::newRow("an attachment of 1 GiB of zeros in 1 MB") << write(reportWith(stream(zeroBomb(1024))))
                                                                 << u"ケースファイルとしては大きすぎます（1048576 バイトまで）"_s;
        QTest::newRow("an attachment of the limit + 1") << write(reportWith(stream(deflated(padded(limit + 1)))))
                                                        << u"ケースファイルとしては大きすぎます（1048576 バイトまで）"_s;
        QTest::newRow("an attachment of the limit") << write(reportWith(stream(deflated(padded(limit))))) << QString();
        QTest::newRow("an uncompressed attachment of the limit + 1")
            << write(reportWith(stream(padded(limit + 1), {}))) << u"大きすぎます"_s;
        QTest::newRow("an uncompressed attachment") << write(reportWith(stream(kCase, {}))) << QString();
        QTest::newRow("a broken stream") << write(reportWith(stream("not deflated at all")))
                                         << u"PDF に添付されたケースのデータが壊れています。"_s;
        QTest::newRow("a stream cut short") << write(reportWith(stream(deflated(kCase).chopped(6))))
                                            << u"PDF に添付されたケースのデータが壊れています。"_s;
        QTest::newRow("another compression") << write(reportWith(stream(kCase.toHex(), "/ASCIIHexDecode")))
                                             << u"読めない形式で圧縮されています"_s;
        const QByteArray whole = reportWith(stream(deflated(kCase)));
        QTest::newRow("a report cut off") << write(whole.first(whole.size() * 3 / 4)) << u"PDF が途中で切れています。"_s;
        QTest::newRow("a report locked with a password")
            << write(pdf("<< >>", {"<< /Filter /Standard /V 1 /R 2 /P -4 /O <" + QByteArray(64, 'a') + "> /U <"
                                       + QByteArray(64, 'b') + "> >>"},
                         "/Encrypt 4 0 R /ID [<00112233445566778899aabbccddeeff> <00112233445566778899aabbccddeeff>] "))
            << u"パスワードで保護された PDF です。"_s;
        QTest::newRow("not a PDF after its first line") << write("%PDF-1.7\n" + QByteArray(1000, 'x') + "\n%%EOF\n")
                                                        << u"PDF として読めません"_s;
    }
    void refusedInBoundedTimeAndMemory()
    {
        QFETCH(std::function<void(const QString&)>, make);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(QString::fromLatin1(QTest::currentDataTag()).replace(QRegularExpression(u"[^A-Za-z0-9]+"_s), u"_"_s) + u".kazenoha"_s);
        make(path);
        const Measured m = openMeasured(path);
        qInfo("%-48s %6.3f s %7ld KiB  %s", QTest::currentDataTag(), m.cpuSeconds, m.growthKiB,
              qPrintable(m.refusal.section(u'\n', 1)));
        QVERIFY2(m.ended, "did not end within 10 s");
        QVERIFY2(reason.isEmpty() ? m.opened : m.refusal.contains(reason), qPrintable(m.refusal));
        QVERIFY2(m.cpuSeconds < 1.0, qPrintable(QString::number(m.cpuSeconds)));
        QVERIFY2(m.growthKiB < 100 * 1024, qPrintable(QString::number(m.growthKiB)));
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(HostileFilesTest)
#include "hostile_files_test.moc"
