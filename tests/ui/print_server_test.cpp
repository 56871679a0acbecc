// SPDX-License-Identifier: MIT
// The print path against a print server that is not there or never answers: the server's
// own library, so POSIX systems only (Windows hands jobs to its spooler).
#include "qtest_support.h"

#include "ui/print.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using namespace Qt::StringLiterals;

class PrintServerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> window;

private slots:
    void init()
    {
        window = std::make_unique<QWidget>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void cleanup() { window.reset(); }

    void printFailureIsToldWhileTheWindowKeepsAnswering_data()
    {
        QTest::addColumn<bool>("serverListens");
        QTest::addColumn<bool>("closeMeanwhile");
        QTest::newRow("no print server") << false << false;
        QTest::newRow("server that never answers") << true << false;
        QTest::newRow("window closed while the server does not answer") << true << true;
    }

    void printFailureIsToldWhileTheWindowKeepsAnswering()
    {
        QFETCH(bool, serverListens);
        QFETCH(bool, closeMeanwhile);
        // A listening socket that nobody accepts on: the system takes the connection, and the
        // print server's library waits for an answer that never comes.
        QTemporaryDir dir;
        sockaddr_un address{AF_UNIX, {}};
        const QByteArray path = QFile::encodeName(dir.filePath(u"cups.sock"_s));
        std::strncpy(address.sun_path, path.constData(), sizeof address.sun_path - 1);
        const int server = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (serverListens)
            QVERIFY(::bind(server, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 && ::listen(server, 8) == 0);
        qputenv("CUPS_SERVER", path);
        constexpr int limitMs = 1000;
        kz::ui::setPrintTimeLimit(std::chrono::milliseconds(limitMs));
        const auto restore = qScopeGuard([&] {
            ::close(server); // a worker still waiting gives up
            qunsetenv("CUPS_SERVER");
            kz::ui::setPrintTimeLimit(kz::ui::kPrintTimeLimit);
        });

        auto* icon = new QLabel(u"P"_s, window.get());
        icon->show();
        const auto answered = kz::test::answerNextMessageBox(QMessageBox::Yes);
        QVERIFY(kz::ui::confirmAndPrint(window.get(), icon, kz::ui::PageOrientation::Landscape));
        QVERIFY(!icon->isVisible());
        // Meanwhile the window says that it prints, in the icon's place and by its pointer.
        const QPointer<QLabel> note = window->findChild<QLabel*>(u"printBusy"_s);
        QVERIFY(note && note->isVisible() && note->geometry() == icon->geometry());
        QCOMPARE(note->accessibleName(), u"印刷中…"_s);
        QCOMPARE(window->cursor().shape(), Qt::BusyCursor);
        QElapsedTimer sinceYes, sinceTick;
        sinceYes.start();
        sinceTick.start();
        qint64 longestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        ticker.start(20);
        if (closeMeanwhile) {
            QTest::qWait(limitMs / 2);
            window.reset();
            QTest::qWait(limitMs);
            QVERIFY(!QApplication::activeModalWidget());
        } else {
            auto told = kz::test::answerNextMessageBox(QMessageBox::Ok);
            QTRY_VERIFY_WITH_TIMEOUT(told->shown, 5000);
            QCOMPARE(told->title, u"印刷"_s);
            QCOMPARE(told->text, u"印刷できませんでした。プリンターの設定を確認してください。"_s);
            QCOMPARE(told->buttons.size(), 1);
            QVERIFY(icon->isVisible() && !note && window->cursor().shape() != Qt::BusyCursor);
            // A server that is not there fails at once; one that does not answer, at the limit.
            QCOMPARE(sinceYes.elapsed() >= limitMs, serverListens);
        }
        QVERIFY2(longestGap < limitMs / 2, qPrintable(u"the window did not answer for %1 ms"_s.arg(longestGap)));
    }

};

KZ_QTEST_MAIN(PrintServerTest)
#include "print_server_test.moc"
