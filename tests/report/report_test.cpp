// SPDX-License-Identifier: MIT
// The report as a client gets it: the PDF file of the sheet's worked cases read back with
// poppler's tools, a failed save, the preview's pages and the 計算過程 window. The case in a
// file: saved and opened again in each calculator window, the same as --compute, carried
// inside the report, and refused whole when it is not one.
#include "qtest_support.h"

#include "core/common/format.h"
#include "core/case/json.h"
#include "cli/answer.h"
#include "file_commands/case_io.h"
#include "report/output.h"
#include "report/pdf_attachment.h"
#include "shell/window_setup.h"
#include "ui/window_registry.h"
#include "coefficients/formkeisu.h"
#include "second/form_niji_souzoku.h"
#include "tax_sheet/form_souzoku.h"
#include "tax_sheet/sheet_page.h"
#include "ui/entry_field.h"
#include "tax_sheet/sheet_report.h"
#include "ui/command_button.h"
#include "ui/print.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMimeData>
#include <QTableWidget>
#include <QLineEdit>
#include <QTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QPointer>
#include <QProcess>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTimer>

using namespace Qt::StringLiterals;
using namespace kz::tax;

namespace {

QString run(const QString& tool, const QStringList& args)
{
    QProcess p;
    p.start(tool, args);
    p.waitForFinished(30'000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString& pdf)
{
    return QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(run(u"pdfinfo"_s, {pdf})).captured(1).toInt();
}

// The sheet filled in as a user types it: amounts committed by leaving their field.
struct Case {
    int law;
    std::array<std::array<int, 6>, 5> amounts;
    QString heirs;
    std::array<QString, 4> num, den;
    std::array<QString, 3> years;
};

void load(TaxSheet& s, const Case& c)
{
    s.setLaw(lawEditions()[static_cast<std::size_t>(c.law)]);
    for (int p = 1; p <= kPersons; ++p)
        for (int i = 0; i < kAmountRows; ++i) {
            const Field f = amountField(p, i);
            s.gotFocus(f);
            s.setText(f, std::to_string(c.amounts[p - 1][i]));
            s.lostFocus(f);
        }
    s.setText(heirCountField(), c.heirs.toStdString());
    for (int k = 0; k < 4; ++k) {
        s.setText(numeratorField(k), c.num[k].toStdString());
        s.setText(denominatorField(k), c.den[k].toStdString());
    }
    for (int p = 2; p <= 4; ++p)
        s.setText(yearsField(p), c.years[p - 2].toStdString());
    s.command4();
}

// The worked example of the stated law, and the 令和6 case (③ 48,000, ④ 132,000, ⑤ 22,000).
const Case kWorked{0,
                   {{{250000, 20000, 5000, 8000, 2000, 0}, {80000, 0, 0, 0, 0, 5000}, {40000, 15000, 5000, 0, 0, 0}, {}, {30000}}},
                   u"4"_s, {u"1"_s, u"1"_s, u"1"_s, u"1"_s}, {u"2"_s, u"6"_s, u"6"_s, u"6"_s}, {u"0"_s, u"5"_s, u"0"_s}};
const Case kReiwa6{1, {{{100000}, {40000}, {40000}, {}, {}}}, u"3"_s, {u"1"_s, u"1"_s, u"1"_s, {}},
                   {u"2"_s, u"4"_s, u"4"_s, {}}, {u"0"_s, u"5"_s, u"0"_s}};

// Answers the client's name with `client`, then the next file dialog with `path`, as a user
// typing them would, or cancels the file dialog if `path` is empty or refused.
void answerFileDialog(const QString& path, QString* suggested, const QString& client = {})
{
    QTimer::singleShot(50, [=] {
        if (auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            ask->setTextValue(client);
            ask->accept();
        }
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return answerFileDialog(path, suggested, client);
        *suggested = dialog->selectedFiles().value(0);
        dialog->findChild<QLineEdit*>(u"fileNameEdit"_s)->setText(path);
        if (!path.isEmpty())
            QMetaObject::invokeMethod(dialog, "accept");
        if (dialog->isVisible())
            dialog->reject();
    });
}

// Answers the next question for the client's name with `client`; `offered` is the name it offered.
void answerClient(const QString& client, QString* offered)
{
    QTimer::singleShot(20, [=] {
        auto* ask = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        if (!ask)
            return answerClient(client, offered);
        *offered = ask->textValue();
        ask->setTextValue(client);
        ask->accept();
    });
}

// Answers the next print dialog with a range of pages and copies, as a user choosing them would.
void answerPrintDialog(int from, int to, int copies)
{
    QTimer::singleShot(50, [=] {
        auto* ask = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (!ask)
            return answerPrintDialog(from, to, copies);
        ask->findChild<QRadioButton*>(u"printRange"_s)->setChecked(true);
        ask->findChild<QSpinBox*>(u"to"_s)->setValue(to);
        ask->findChild<QSpinBox*>(u"from"_s)->setValue(from);
        ask->findChild<QSpinBox*>(u"copies"_s)->setValue(copies);
        ask->accept();
    });
}

// Everything a window shows of its case: each field, label, drop-down and table cell, in the
// order the window made them, so that two windows of a kind compare whole.
QStringList shownTexts(QWidget* window)
{
    QStringList out;
    for (QObject* o : window->findChildren<QObject*>()) {
        if (auto* e = qobject_cast<QLineEdit*>(o))
            out << e->text();
        else if (auto* l = qobject_cast<QLabel*>(o))
            out << l->text();
        else if (auto* c = qobject_cast<QComboBox*>(o))
            out << c->currentText();
        else if (auto* t = qobject_cast<QTableWidget*>(o))
            for (int r = 0; r < t->rowCount(); ++r)
                for (int k = 0; k < t->columnCount(); ++k)
                    out << t->item(r, k)->text();
    }
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The figures --compute answers for a line: every "text" of the answer.
QStringList computedTexts(const QByteArray& line)
{
    const std::string answer = kz::cli::answer(line.toStdString(), 1).json;
    QStringList out;
    kz::cases::json::Document doc;
    const std::function<void(const kz::cases::json::Value&)> walk = [&](const kz::cases::json::Value& v) {
        if (v.key == "text")
            out << QString::fromUtf8(v.text.data(), static_cast<qsizetype>(v.text.size()));
        if (v.type == kz::cases::json::Type::Object || v.type == kz::cases::json::Type::Array)
            for (const auto& c : doc.children(v))
                walk(c);
    };
    walk(doc.parse(answer, 8));
    return out;
}

// A case's window, by what the file holds.
QWidget* windowFor(const QString& path)
{
    const auto kind = kz::files::readCase(path).kase->window;
    return kz::ui::openWindow(kind == kz::cases::Window::Sheet          ? kz::ui::WindowKind::TaxSheet
                              : kind == kz::cases::Window::Coefficients ? kz::ui::WindowKind::Coefficients
                                                                        : kz::ui::WindowKind::SecondStudy);
}

// The worked example's sheet as a case file, and a case file of another window.
const QByteArray kSheetFile = R"({"kazenoha": 1, "sheet": {"law": "h20", "amounts": {"spouse": [250000, 20000, 5000, 8000, 2000, 0],
  "heir2": [80000, 0, 0, 0, 0, 5000], "heir3": [40000, 15000, 5000, 0, 0, 0], "legatee": [30000, 0, 0, 0, 0, 0]},
  "heirs": 4, "shares": {"spouse": [1, 2], "heir2": [1, 6], "heir3": [1, 6], "heir4": [1, 6]},
  "minor_years": {"heir2": 0, "heir3": 5, "heir4": 0}}})";
const QByteArray kSecondFile = R"({"kazenoha": 1, "second": {"estate": 100000, "children": 2, "spouse_share": 40000}})";

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        kz::shell::registerWindows();
    }
    void cleanup()
    {
        for (const auto kind : {kz::ui::WindowKind::TaxSheet, kz::ui::WindowKind::Coefficients, kz::ui::WindowKind::SecondStudy})
            if (QWidget* w = kz::ui::openWindow(kind))
                w->close();
        kz::test::flushDeletes();
    }

    // A case typed into a window by a file, saved with 保存… (Ctrl+Shift+S), then opened with
    // 開く… (Ctrl+O) into a fresh window of its kind: every field and figure the same, each
    // figure the one --compute answers for the saved object.
    void caseFileRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("stem");
        // The manual's example is the program's own writing: saved again, byte for byte.
        QTest::newRow("sheet, the manual's example") << readFile(QFINDTESTDATA("../../docs/case-example.kazenoha"))
                                                      << u"相続税試算"_s;
        QTest::newRow("sheet, 平成20年 worked example") << kSheetFile << u"相続税試算"_s;
        QTest::newRow("sheet, 令和6年, a minor, a legatee, texts as typed")
            << R"({"kazenoha": 1, "sheet": {"law": "r6", "amounts": {"spouse": [180000, 0, 0, 0, 0, 0],
                  "heir2": [40000, 0, 0, 0, 0, 0], "heir3": [40000, 0, 0, 0, 0, 0], "legatee": [12000, 0, 0, 0, 0, 0]},
                  "heirs": "03", "shares": {"spouse": [1, 2], "heir2": ["1", "4."], "heir3": [1, 4], "legatee": ["", "3"]},
                  "minor_years": {"heir2": 5, "heir3": "", "heir4": "-0"}}})"_ba
            << u"相続税試算"_s;
        QTest::newRow("coefficients, three tabs, one refused")
            << R"({"kazenoha": 1, "coefficient": [{"calculation": "元利合計", "inputs": {"運用金額": 1000000, "年利率": "4.50", "年数": 10}},
                  {"calculation": "毎年の返済額", "inputs": {"借入額": 20000000, "年利率": "", "返済年数": 25}},
                  {"calculation": "物価上昇率", "inputs": {"物価上昇率": 1.6, "年数": 10}}]})"_ba
            << u"係数計算"_s;
        QTest::newRow("二次相続, 平成20年 then 令和6年, own assets and 4 years")
            << R"({"kazenoha": 1, "second": {"law": "h20", "second_law": "r6", "estate": 420000, "children": 3, "spouse_share": 255000,
                  "spouse_assets": 5000, "years": 4}})"_ba
            << u"二次相続試算"_s;
    }
    void caseFileRoundTrip()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, stem);
        const QString start = dir_.filePath(u"start.kazenoha"_s), saved = dir_.filePath(u"saved.kazenoha"_s);
        writeFile(start, file);
        QFile::remove(saved); // the dialog would ask before it replaces it
        QVERIFY(kz::files::openCaseFile(nullptr, start));
        QWidget* first = windowFor(start);
        QVERIFY(first && QTest::qWaitForWindowExposed(first));
        const QStringList shown = shownTexts(first);
        QString suggested;
        answerFileDialog(saved, &suggested);
        QTest::keyClick(first, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(suggested.endsWith(u"/%1_%2.kazenoha"_s.arg(stem, QDate::currentDate().toString(u"yyyyMMdd"_s))),
                 qPrintable(suggested));
        if (QTest::currentDataTag() == QByteArrayView("sheet, the manual's example"))
            QCOMPARE(readFile(saved), file);
        first->close();
        kz::test::flushDeletes();

        // A fresh window of the same kind, as the menu makes one.
        const auto kind = kz::files::readCase(start).kase->window;
        QWidget* fresh = kz::ui::showWindow(kind == kz::cases::Window::Sheet          ? kz::ui::WindowKind::TaxSheet
                                   : kind == kz::cases::Window::Coefficients ? kz::ui::WindowKind::Coefficients
                                                                             : kz::ui::WindowKind::SecondStudy);
        QVERIFY(QTest::qWaitForWindowExposed(fresh));
        QVERIFY(shownTexts(fresh) != shown);
        answerFileDialog(saved, &suggested);
        QTest::keyClick(fresh, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(windowFor(saved), fresh);
        QCOMPARE(shownTexts(fresh), shown);

        // --compute on the saved object: the file's window key as a batch line (a list of
        // calculations as a line each).
        const QByteArray text = readFile(saved);
        QList<QByteArray> lines;
        if (kind == kz::cases::Window::Coefficients) {
            for (const QByteArray& l : text.split('\n'))
                if (l.trimmed().startsWith("{\"calculation\""))
                    lines << "{\"coefficient\": " + l.trimmed().chopped(l.trimmed().endsWith(',') ? 1 : 0) + "}";
            QCOMPARE(lines.size(), 3);
        } else {
            lines << QByteArray(text).replace("\"kazenoha\": 1,", "\"id\": 1,");
        }
        int figures = 0;
        for (const QByteArray& line : lines)
            for (const QString& figure : computedTexts(line)) {
                QVERIFY2(shown.contains(figure), qPrintable(figure));
                figures += figure != u"0"_s;
            }
        QVERIFY(figures >= 2);
    }

    // Files that are no case are refused whole: the message names the file and the reason,
    // the calculated sheet keeps every entry and figure, and no other window opens.
    void refusedCaseFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        QTest::newRow("not JSON") << "kazenoha 1"_ba << u"ケースファイルではありません（JSON として読めません："_s;
        QTest::newRow("JSON, no version") << R"({"sheet": {"heirs": 1}})"_ba
                                          << u"ケースファイルではありません（no \"kazenoha\" key）"_s;
        QTest::newRow("version as a text") << R"({"kazenoha": "1", "sheet": {"heirs": 1}})"_ba
                                           << u"ケースファイルではありません（kazenoha: expected a version number"_s;
        QTest::newRow("version beyond any number") << R"({"kazenoha": 1e400, "sheet": {"heirs": 1}})"_ba
                                                   << u"ケースファイルではありません（kazenoha: expected a version number"_s;
        QTest::newRow("newer version") << R"({"kazenoha": 2, "sheet": {"heirs": 1, "new": true}})"_ba
                                       << u"新しい版（2）のケースファイルです。このプログラムが開けるのは版 1 までです。"_s;
        QTest::newRow("two windows") << R"({"kazenoha": 1, "sheet": {"heirs": 1}, "coefficient": []})"_ba
                                     << u"exactly one of \"sheet\", \"coefficient\" and \"second\""_s;
        QTest::newRow("unknown key") << R"({"kazenoha": 1, "sheet": {"heirs": 1, "heir5": 1}})"_ba
                                     << u"（sheet: unknown key \"heir5\"）"_s;
        QTest::newRow("a value the study would pull into its range")
            << R"({"kazenoha": 1, "second": {"estate": 1000, "children": 11, "spouse_share": 0}})"_ba
            << u"画面に入力できない内容があります（second.children: \"11\" is outside 1..10）"_s;
        QTest::newRow("an amount the sheet would store as 0")
            << R"({"kazenoha": 1, "sheet": {"heirs": 1, "amounts": {"spouse": [3000000000, 0, 0, 0, 0, 0]}}})"_ba
            << u"（sheet.amounts.spouse[0]: \"3000000000\" is outside -2147483648..2147483647）"_s;
        QTest::newRow("a character the field does not take")
            << R"({"kazenoha": 1, "sheet": {"heirs": 1, "amounts": {"spouse": ["1,000", 0, 0, 0, 0, 0]}}})"_ba
            << u"sheet.amounts.spouse[0]: \"1,000\" holds characters"_s;
        QTest::newRow("a calculation twice")
            << R"({"kazenoha": 1, "coefficient": [{"calculation": "物価上昇率", "inputs": {"物価上昇率": 1, "年数": 1}},
                  {"calculation": "物価上昇率", "inputs": {"物価上昇率": 2, "年数": 1}}]})"_ba
            << u"coefficient[1]: \"物価上昇率\" given twice"_s;
        QTest::newRow("invalid UTF-8") << "{\"kazenoha\": 1, \"sheet\": {\"heirs\": \"\xff\"}}"_ba
                                       << u"UTF-8 の文字として読めないバイトがあります（byte 37）"_s;
        QTest::newRow("over the size limit") << kSheetFile + QByteArray(1 << 20, ' ')
                                             << u"ケースファイルとしては大きすぎます（1048576 バイトまで）"_s;
        QTest::newRow("a report without its case") << "%PDF"_ba << u"この PDF にはケースが添付されていません"_s;
        QTest::newRow("a damaged PDF") << "%PDF-1.4\n1 0 obj << /Names (\n"_ba << u"PDF が途中で切れています。"_s;
        QTest::newRow("no such file") << QByteArray() << u"ファイルがありません。"_s;
    }
    void refusedCaseFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        const QString calculated = dir_.filePath(u"calculated.kazenoha"_s), path = dir_.filePath(u"お客様.kazenoha"_s);
        writeFile(calculated, kSheetFile);
        QVERIFY(kz::files::openCaseFile(nullptr, calculated));
        QWidget* sheet = kz::ui::openWindow(kz::ui::WindowKind::TaxSheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        const QStringList before = shownTexts(sheet);
        QFile::remove(path);
        if (file == "%PDF")
            QVERIFY(kz::report::savePdf(sheetReport(TaxSheet(), QDate::currentDate()), path));
        else if (!file.isEmpty())
            writeFile(path, file);
        QString suggested;
        const auto told = kz::test::answerNextMessageBox(QMessageBox::Ok);
        if (file.isEmpty()) { // named on the command line or dropped: the dialog offers none
            kz::files::openCaseFile(sheet, path);
        } else {
            answerFileDialog(path, &suggested);
            QTest::keyClick(sheet, Qt::Key_O, Qt::ControlModifier);
        }
        QCOMPARE(told->title, u"開く"_s);
        QVERIFY2(told->text.startsWith(u"「お客様.kazenoha」を開けませんでした。\n"_s) && told->text.contains(reason),
                 qPrintable(told->text));
        QCOMPARE(shownTexts(sheet), before);
        QVERIFY(!kz::ui::openWindow(kz::ui::WindowKind::Coefficients) && !kz::ui::openWindow(kz::ui::WindowKind::SecondStudy));
    }

    // A calculated case is replaced only after a question; another window's file, dropped on
    // the sheet's field, opens in its own window and leaves the sheet alone.
    void openingAsksAndFindsTheWindow()
    {
        const QString calculated = dir_.filePath(u"a.kazenoha"_s), other = dir_.filePath(u"b.kazenoha"_s),
                      study = dir_.filePath(u"c.kazenoha"_s);
        writeFile(calculated, kSheetFile);
        writeFile(other, QByteArray(kSheetFile).replace("\"heirs\": 4", "\"heirs\": 3"));
        writeFile(study, kSecondFile);
        QVERIFY(kz::files::openCaseFile(nullptr, calculated));
        auto* sheet = static_cast<FormSouzoku*>(kz::ui::openWindow(kz::ui::WindowKind::TaxSheet));
        for (const auto& [answer, heirs] : {std::pair{QMessageBox::No, "4"}, std::pair{QMessageBox::Yes, "3"}}) {
            const auto asked = kz::test::answerNextMessageBox(answer);
            QCOMPARE(kz::files::openCaseFile(sheet, other), answer == QMessageBox::Yes);
            QCOMPARE(asked->text, u"計算したケースを「b.kazenoha」の内容で置き換えます。よろしいですか？"_s);
            QCOMPARE(sheet->sheet().text(heirCountField()), heirs);
        }
        const QStringList before = shownTexts(sheet);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(study)});
        QWidget* field = sheet->Picture3->field(amountField(1, 0));
        const QPoint at = field->mapTo(sheet, field->rect().center());
        QDragMoveEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {}, QEvent::DragEnter);
        QApplication::sendEvent(sheet->windowHandle(), &enter);
        QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(sheet->windowHandle(), &drop);
        QVERIFY(drop.isAccepted());
        QCOMPARE(shownTexts(sheet), before);
        auto* second = qobject_cast<kz::second::FormNijiSouzoku*>(kz::ui::openWindow(kz::ui::WindowKind::SecondStudy));
        QVERIFY(second && second->form().input().estate == 100000);
        // Two files at once: which one is meant is not guessed, and the user is told.
        data.setUrls({QUrl::fromLocalFile(other), QUrl::fromLocalFile(calculated)});
        const auto told = kz::test::answerNextMessageBox(QMessageBox::Ok);
        QApplication::sendEvent(sheet->windowHandle(), &enter);
        QDropEvent both(at, Qt::CopyAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(sheet->windowHandle(), &both);
        QCOMPARE(told->text, u"2 個のファイルがドロップされました。一度に開けるのは 1 つのファイルだけです。"_s);
        QCOMPARE(shownTexts(sheet), before);
    }

    // Every report carries its case: the attachment, as poppler's pdfdetach extracts it,
    // is the case file 保存… writes, and 開く… opens the report as that case.
    void reportCarriesItsCase()
    {
        const QString start = dir_.filePath(u"s.kazenoha"_s), pdf = dir_.filePath(u"carried.pdf"_s),
                      saved = dir_.filePath(u"s2.kazenoha"_s), out = dir_.filePath(u"detached"_s);
        writeFile(start, kSecondFile);
        QVERIFY(kz::files::openCaseFile(nullptr, start));
        QWidget* study = windowFor(start);
        QVERIFY(QTest::qWaitForWindowActive(study));
        const QStringList shown = shownTexts(study);
        QString suggested;
        answerFileDialog(pdf, &suggested);
        QTest::keyClick(study, Qt::Key_S, Qt::ControlModifier);
        study->activateWindow(); // no window manager gives it back after the dialog
        QVERIFY(QTest::qWaitForWindowActive(study));
        answerFileDialog(saved, &suggested);
        QTest::keyClick(study, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(QDir().mkpath(out));
        run(u"pdfdetach"_s, {u"-saveall"_s, u"-o"_s, out, pdf});
        const QStringList detached = QDir(out).entryList(QDir::Files);
        QCOMPARE(detached, QStringList{u"case_%1.kazenoha"_s.arg(QDate::currentDate().toString(u"yyyyMMdd"_s))});
        QCOMPARE(readFile(QDir(out).filePath(detached.first())), readFile(saved));
        QCOMPARE(kz::report::attachedCase(readFile(pdf)).file, readFile(saved));
        study->close();
        kz::test::flushDeletes();
        QVERIFY(kz::files::openCaseFile(nullptr, pdf));
        QCOMPARE(shownTexts(windowFor(start)), shown);
    }

    // Ctrl+S on the sheet: the suggested name, then a PDF whose text holds every figure
    // the sheet shows and whose fonts are all embedded; a second save replaces it whole.
    void pdfOfTheSheet_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("平成20年 worked example") << 0;
        QTest::newRow("令和6年 case") << 1;
    }
    void pdfOfTheSheet()
    {
        QFETCH(int, which);
        FormSouzoku form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Command4->setFocus(); // no field under edit while the model is filled in
        load(form.sheet(), which == 0 ? kWorked : kReiwa6);
        const QString pdf = dir_.filePath(u"sheet%1.pdf"_s.arg(which));
        QString suggested;
        // A client's name, where given, heads the report and names the file; a name with a
        // character no file name holds, too.
        const QString client = which == 0 ? u"山田/太郎"_s : QString();
        answerFileDialog(pdf, &suggested, client);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        const QString named = which == 0 ? u"山田_太郎_"_s : QString();
        QVERIFY2(suggested.endsWith(u"/相続税試算_"_s + named + QDate::currentDate().toString(u"yyyyMMdd"_s) + u".pdf"_s),
                 qPrintable(suggested));
        // The case file is offered under the same client's name.
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        answerFileDialog(QString(), &suggested);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY2(suggested.endsWith(u"/相続税試算_"_s + named + QDate::currentDate().toString(u"yyyyMMdd"_s) + u".kazenoha"_s),
                 qPrintable(suggested));
        const int pages = pageCount(pdf);
        QVERIFY2(pages >= 1 && pages <= 3, qPrintable(QString::number(pages)));
        const QString text = run(u"pdftotext"_s, {pdf, u"-"_s}).simplified().remove(u' ');
        QVERIFY(text.contains(QString::fromUtf16(form.sheet().law().name)));
        QCOMPARE(text.contains(u"山田/太郎様"_s), which == 0);
        for (int slot = 0; slot < kLabelCount; ++slot) {
            const QString shown = QString::fromStdString(form.sheet().labelText(labelAtSlot(slot)));
            QVERIFY2(text.contains(shown), qPrintable(shown));
        }
        const QStringList fonts = run(u"pdffonts"_s, {pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString& font : fonts)
            QVERIFY2(font.contains(u" yes "_s), qPrintable(font)); // the emb column
        // A save over it of a smaller sheet leaves no trace of the larger one.
        form.sheet().clearAll();
        QVERIFY(kz::report::savePdf(sheetReport(form.sheet(), QDate::currentDate()), pdf));
        QCOMPARE(pageCount(pdf), 1);
        QVERIFY(!run(u"pdftotext"_s, {pdf, u"-"_s}).contains(u"相続税額（配偶者）"_s));
    }

    // A folder that cannot be written: the reason is told, no file is left and a file that
    // was there stays as it was. As root only a system folder refuses a new file.
    void failedSave()
    {
        const kz::report::Document doc = sheetReport(TaxSheet(), QDate::currentDate());
        QString why;
        QVERIFY(!kz::report::savePdf(doc, u"/dev/null/x.pdf"_s, &why));
        QVERIFY(!why.isEmpty());
        QFile kept(u"/proc/version"_s);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        const QByteArray before = kept.readAll();
        QVERIFY(!kz::report::savePdf(doc, kept.fileName()));
        kept.seek(0);
        QCOMPARE(kept.readAll(), before);
        // Through the window: the message, and nothing left behind.
        FormSouzoku form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Command4->setFocus();
        load(form.sheet(), kReiwa6); // results that stand, or no save is tried
        QString suggested;
        answerFileDialog(u"/proc/相続税試算.pdf"_s, &suggested);
        const auto told = kz::test::answerNextMessageBox(QMessageBox::Ok);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(told->text.startsWith(u"PDFを保存できませんでした。\n"_s) && told->text.size() > 16);
        QVERIFY(!QFile::exists(u"/proc/相続税試算.pdf"_s));
        // The case file the same way.
        QVERIFY(!kz::files::saveCase(form.fileCase(), u"/dev/null/x.kazenoha"_s, &why) && !why.isEmpty());
        QVERIFY(!kz::files::saveCase(form.fileCase(), kept.fileName()));
        kept.seek(0);
        QCOMPARE(kept.readAll(), before);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        answerFileDialog(u"/proc/相続税試算"_s, &suggested);
        const auto toldCase = kz::test::answerNextMessageBox(QMessageBox::Ok);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(toldCase->text.startsWith(u"ケースを保存できませんでした。\n"_s) && toldCase->text.size() > 16);
        QVERIFY(!QFile::exists(u"/proc/相続税試算.kazenoha"_s));
    }

    // A save on a device of fixed size with no, 4 KiB, less than the report's size or enough
    // room: either the whole PDF, which reads back whole, or no file, the reason, a file
    // that was there unchanged, and no temporary file left behind.
    void saveOnASmallDevice_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<bool>("replacing");
        QTest::addColumn<bool>("saved");
        for (const bool replacing : {false, true}) {
            const char* what = replacing ? "replaced file" : "new file";
            QTest::addRow("%s, 0 B free", what) << qint64(0) << replacing << false;
            QTest::addRow("%s, 4 KiB free", what) << qint64(4096) << replacing << false;
            QTest::addRow("%s, 16 KiB free", what) << qint64(16384) << replacing << false;
            QTest::addRow("%s, 192 KiB free", what) << qint64(196608) << replacing << true;
        }
    }
    void saveOnASmallDevice()
    {
        QFETCH(qint64, free);
        QFETCH(bool, replacing);
        QFETCH(bool, saved);
        TaxSheet sheet;
        load(sheet, kWorked);
        const kz::report::Document doc = sheetReport(sheet, QDate::currentDate());
        const qint64 size = kz::report::pdfBytes(doc).size();
        QVERIFY2(size > 16384 && size < 196608, qPrintable(QString::number(size))); // between the rows' room
        QTemporaryDir device; // a tmpfs of 256 KiB, which only root mounts
        if (QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, u"size=256k"_s, u"tmpfs"_s, device.path()}))
            QSKIP("a tmpfs of fixed size cannot be mounted here (it needs root): the full-device table is not run");
        const auto unmount = qScopeGuard([&] { QProcess::execute(u"umount"_s, {device.path()}); });
        const QString pdf = device.filePath(u"相続税試算.pdf"_s);
        const QByteArray old(10'000, 'k');
        if (QFile f(pdf); replacing)
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
        const QString room = QString::number(QStorageInfo(device.path()).bytesAvailable() - free);
        QCOMPARE(QProcess::execute(u"fallocate"_s, {u"-l"_s, room, device.filePath(u"filler"_s)}), 0);
        QCOMPARE(QStorageInfo(device.path()).bytesAvailable(), free);
        QString why;
        QCOMPARE(kz::report::savePdf(doc, pdf, &why), saved);
        QFile after(pdf);
        const QByteArray left = after.open(QIODevice::ReadOnly) ? after.readAll() : QByteArray("(none)");
        if (saved)
            QVERIFY(left.size() == size && pageCount(pdf) == int(kz::report::pages(doc).size()));
        else
            QVERIFY(why == u"デバイスに空き容量がありません"_s && left == (replacing ? old : QByteArray("(none)")));
        QCOMPARE(QDir(device.path()).entryList(QDir::Files | QDir::Hidden).size(), saved || replacing ? 2 : 1);
    }

    // Ctrl+P: the preview shows a whole page and as many pages as the PDF holds; its print
    // command asks through the print dialog, whose pages and copies go to the print worker.
    void previewPrintsThroughTheDialog()
    {
        FormSouzoku form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Command4->setFocus();
        load(form.sheet(), kWorked);
        const QString pdf = dir_.filePath(u"preview.pdf"_s);
        QVERIFY(kz::report::savePdf(sheetReport(form.sheet(), kz::report::reportDate()), pdf));
        int printed = 0, copies = 0;
        kz::ui::setPrintSink([&](const QPicture&, kz::ui::PageOrientation o, const kz::ui::PrintTarget& target) {
            copies = target.copies;
            return o == kz::ui::PageOrientation::Report && ++printed > 0;
        });
        int shown = -1;
        bool whole = false;
        QString offered;
        answerClient(u"鈴木"_s, &offered);
        QTimer::singleShot(300, [&] {
            auto* dialog = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* view = dialog->findChild<QPrintPreviewWidget*>();
            shown = view->pageCount();
            whole = view->zoomMode() == QPrintPreviewWidget::FitInView;
            // The second page only, twice, as a user chooses them.
            answerPrintDialog(2, 2, 2);
            dialog->findChild<QToolBar*>()->actions().last()->trigger();
        });
        QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(shown, pageCount(pdf));
        QVERIFY(shown >= 2 && whole);
        QTRY_COMPARE(printed, 1);
        QCOMPARE(copies, 2);
        // The name is kept while the window is open: the next question offers it.
        QVERIFY(QTest::qWaitForWindowActive(&form));
        answerClient(QString(), &offered);
        QTimer::singleShot(300, [] {
            if (QWidget* preview = QApplication::activeModalWidget())
                preview->close();
        });
        QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
        QCOMPARE(offered, u"鈴木"_s);
        kz::ui::setPrintSink({});
    }

    // Only results that stand leave the sheet: a cleared sheet and a stopped one are refused in
    // the sheet's words before any dialog opens, and the focus goes to 納付税額計算; the steps
    // say why the run stopped.
    void reportRefusedWithoutResults()
    {
        FormSouzoku form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const struct {
            Qt::Key key;
            bool stop;
            QString says;
        } cases[] = {
            {Qt::Key_S, false, u"計算結果がありません。納付税額計算を押してから保存してください。"_s},
            {Qt::Key_P, false, u"計算結果がありません。納付税額計算を押してから印刷してください。"_s},
            {Qt::Key_S, true, u"配偶者の相続分の分母が空欄か 0 のため"_s},
            {Qt::Key_P, true, u"配偶者の相続分の分母が空欄か 0 のため"_s},
        };
        for (const auto& c : cases) {
            load(form.sheet(), kReiwa6);
            form.sheet().setText(c.stop ? denominatorField(0) : heirCountField(), c.stop ? "" : "4");
            form.sheet().command4();
            if (!c.stop)
                form.sheet().setText(heirCountField(), "3");
            const auto seen = kz::test::answerNextMessageBox(QMessageBox::Ok);
            QTest::keyClick(&form, c.key, Qt::ControlModifier);
            QVERIFY(seen->shown);
            QVERIFY2(seen->text.contains(c.says), qPrintable(seen->text));
            QTRY_COMPARE(QApplication::focusWidget(), form.Command4);
        }
        QVERIFY(stepsPage(form.sheet()).note.startsWith(u"計算はここで止まりました：配偶者の相続分の分母"_s));
    }

    // F2: the steps follow the sheet, and a cleared sheet shows the hint.
    void stepsWindowFollowsTheSheet()
    {
        FormSouzoku form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.Command4->setFocus();
        load(form.sheet(), kReiwa6);
        QTest::keyClick(&form, Qt::Key_F2);
        auto* text = form.findChild<QTextEdit*>(u"StepsText"_s);
        QVERIFY(text && text->window()->isVisible() && text->isReadOnly());
        // Each step as the report lays it out: caption, formula in words, formula with the
        // figures, and its result after "=" on a line that does not wrap.
        const QString basic = u"③　遺産　基礎控除額\n式　3,000万円 + 600万円 × 法定相続人数\n30,000 + 6,000 × 3\n= 48,000千円"_s;
        QVERIFY(text->toPlainText().contains(basic));
        QVERIFY(text->toPlainText().contains(u"相続人 3 未成年者控除\n式　１８歳になるまでの年数 × 10万円\n5 × 100\n= 500千円"_s));
        form.sheet().setText(heirCountField(), "4");
        QTRY_VERIFY(text->toPlainText().endsWith(emptyStepsHint()));
        form.sheet().setText(heirCountField(), "3");
        form.sheet().command4();
        QTRY_VERIFY(text->toPlainText().contains(basic));
        // A spouse without a share stops the run at the reduction: the window says why.
        form.sheet().setText(denominatorField(0), "");
        form.sheet().command4();
        QTRY_VERIFY(text->toPlainText().contains(u"\n計算はここで止まりました：配偶者の相続分の分母"_s));
        const QPointer<QWidget> steps = text->window();
        QTest::keyClick(text, Qt::Key_Escape);
        QTRY_VERIFY(!steps || !steps->isVisible());
    }

    // One coefficient calculation saved from its window: the inputs, the coefficient and
    // the result in the text.
    void pdfOfACoefficient()
    {
        kz::coef::Formkeisu form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        for (const auto& [field, typed] : {std::pair{0, "1000000"}, {1, "4"}, {2, "10"}}) {
            form.controls.Num1[static_cast<std::size_t>(field)]->setFocus();
            kz::test::typeText(form.controls.Num1[static_cast<std::size_t>(field)], QString::fromLatin1(typed));
        }
        QTest::mouseClick(form.controls.calculate[0], Qt::LeftButton);
        const QString pdf = dir_.filePath(u"coef.pdf"_s);
        QString suggested;
        answerFileDialog(pdf, &suggested);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(suggested.contains(u"係数計算_"_s));
        const QString text = run(u"pdftotext"_s, {pdf, u"-"_s});
        for (const QString& shown : {u"係数計算の試算"_s, u"1,000,000"_s, u"1.48024428"_s, u"1,480,244"_s})
            QVERIFY2(text.contains(shown), qPrintable(shown));
        QCOMPARE(pageCount(pdf), 1);
    }

    // A client's name as typed, in the suggested file name and the report's heading: no
    // character that hides or turns text, no honorific twice, and a long name cut to fit a
    // file name of 255 bytes: "相続税試算_" and "_YYYYMMDD.pdf" take 29 of them, leaving
    // 226 for the name (75 kanji of 3 bytes, or 74 and one 4-byte character).
    void clientNames_data()
    {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("named"); // in the file name
        QTest::addColumn<QString>("heading");
        QTest::newRow("a name") << u"山田 太郎"_s << u"山田 太郎"_s << u"山田 太郎　様"_s;
        QTest::newRow("様 typed") << u"山田様"_s << u"山田様"_s << u"山田様"_s;
        QTest::newRow("御中 typed") << u"山田商事 御中"_s << u"山田商事 御中"_s << u"山田商事 御中"_s;
        QTest::newRow("DEL, zero-width space and joiner")
            << u"山\u200B田\u200D\x7f太郎\uFEFF"_s << u"山田太郎"_s << u"山\u200B田\u200D\x7f太郎\uFEFF　様"_s;
        QTest::newRow("right-to-left override") << u"報告\u202Efdp.exe"_s << u"報告fdp.exe"_s << u"報告\u202Efdp.exe　様"_s;
        QTest::newRow("76 kanji") << QString(76, u'山') << QString(75, u'山') << QString(76, u'山') + u"　様"_s;
        QTest::newRow("74 kanji and two emoji")
            << QString(74, u'山') + u"😀😀"_s << QString(74, u'山') + u"😀"_s << QString(74, u'山') + u"😀😀　様"_s;
        QTest::newRow("only invisible characters") << u"\u200B\u202E"_s << QString() << u"\u200B\u202E　様"_s;
    }
    void clientNames()
    {
        QFETCH(QString, client);
        QFETCH(QString, named);
        QFETCH(QString, heading);
        const QDate date(2026, 12, 7);
        QCOMPARE(kz::report::suggestedName(u"相続税試算"_s, date, client),
                 u"相続税試算_"_s + (named.isEmpty() ? QString() : named + u'_') + u"20261207.pdf"_s);
        QCOMPARE(kz::report::clientHeading(client), heading);
    }

    // A coefficient case whose calculation stops opens with the message 計算 gives for it,
    // on its tab, where a fresh window's 0 would otherwise stand unexplained.
    void openingTellsAStoppedCalculation()
    {
        const QString path = dir_.filePath(u"stops.kazenoha"_s);
        writeFile(path, R"({"kazenoha": 1, "coefficient": [{"calculation": "元利合計", "inputs": {"運用金額": 1000, "年利率": 1, "年数": 1}},
            {"calculation": "毎年の積立額", "inputs": {"将来目標金額": 1000000, "目標年数": 10, "年利率": 0}}]})"_ba);
        const auto told = kz::test::answerNextMessageBox(QMessageBox::Ok);
        QVERIFY(kz::files::openCaseFile(nullptr, path));
        QCOMPARE(told->text, u"この年利率と年数では計算できません。"_s);
        auto* w = qobject_cast<kz::coef::Formkeisu*>(kz::ui::openWindow(kz::ui::WindowKind::Coefficients));
        QCOMPARE(w->SSTab1->currentIndex(), 2);
    }

    // The name typed in the save dialog: ".pdf" added where it is missing, a name of spaces
    // refused (the dialog stays); the next dialog of the window suggests the folder of its
    // last save, or the documents folder.
    void namesTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("saved"); // empty: refused with the message given
        const QString none = u"ファイル名を入力してください。"_s, tooLong = u"ファイル名が長すぎます。"_s;
        QTest::newRow("no suffix") << u"報告"_s << u"報告.pdf"_s;
        QTest::newRow("another dot") << u"報告.2026"_s << u"報告.2026.pdf"_s;
        QTest::newRow("suffix in capitals") << u"報告2.PDF"_s << u"報告2.PDF"_s;
        QTest::newRow("spaces") << u"   "_s << none;
        QTest::newRow("full-width spaces and the suffix") << u"　 .pdf"_s << none;
        // 255 bytes: 83 kanji (249) and ".pdf" added (4) fit with 2 to spare; 84 do not.
        QTest::newRow("83 kanji") << QString(83, u'報') << QString(83, u'報') + u".pdf"_s;
        QTest::newRow("84 kanji") << QString(84, u'報') << tooLong;
        QTest::newRow("300 letters") << QString(300, u'a') << tooLong;
    }
    void namesTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, saved);
        const QString refusal = saved.endsWith(u'。') ? std::exchange(saved, {}) : QString();
        const auto files = [this] { return QDir(dir_.path()).entryList(QDir::Files).size(); };
        const qsizetype before = files();
        kz::coef::Formkeisu form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QString suggested;
        answerFileDialog(dir_.filePath(typed), &suggested);
        const auto told = saved.isEmpty() ? kz::test::answerNextMessageBox(QMessageBox::Ok) : nullptr;
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        if (told)
            QVERIFY2(told->text.startsWith(refusal), qPrintable(told->text));
        else
            QCOMPARE(pageCount(dir_.filePath(saved)), 1);
        QCOMPARE(files(), before + (saved.isEmpty() ? 0 : 1));
        form.activateWindow(); // as a window manager does when the dialog closes
        QVERIFY(QTest::qWaitForWindowActive(&form));
        answerFileDialog({}, &suggested);
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(QFileInfo(suggested).absolutePath(),
                 saved.isEmpty() ? (QDir(documents).exists() ? documents : QDir::homePath()) : dir_.path());
    }

private:
    QTemporaryDir dir_;
};

KZ_QTEST_MAIN(ReportTest)
#include "report_test.moc"
