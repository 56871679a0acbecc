// SPDX-License-Identifier: MIT
#include "file_commands/case_io.h"

#include "core/case/outside_file.h"
#include "report/output.h"
#include "report/pdf_attachment.h"
#include "ui/dialog_trace.h"
#include "ui/save_file.h"
#include "ui/window_registry.h"
#include "ui/modal.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardPaths>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace kz::files {
namespace {

using cases::FileError;

// A report is larger than its case: its pages come first.
constexpr qint64 kMaxPdfBytes = 64 << 20;

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QString reason(const FileError& e)
{
    const QString detail = qs(e.detail);
    switch (e.kind) {
    case FileError::Kind::TooLarge:
        return u"ケースファイルとしては大きすぎます（%1 バイトまで）。"_s.arg(cases::kMaxFileBytes);
    case FileError::Kind::NotUtf8:
        return u"UTF-8 の文字として読めないバイトがあります（%1）。"_s.arg(detail);
    case FileError::Kind::NotJson:
        return u"ケースファイルではありません（JSON として読めません：%1）。"_s.arg(detail);
    case FileError::Kind::NotACase:
        return u"ケースファイルではありません（%1）。"_s.arg(detail);
    case FileError::Kind::Newer:
        return u"新しい版（%1）のケースファイルです。このプログラムが開けるのは版 %2 までです。"_s.arg(detail).arg(
            cases::kFormatVersion);
    case FileError::Kind::BadValue:
        break;
    }
    return u"画面に入力できない内容があります（%1）。"_s.arg(detail);
}

// Why a PDF gives no case, saying what the file is; empty when it gave one.
QString attachmentFault(report::Attachment::Fault fault)
{
    switch (fault) {
    case report::Attachment::Fault::None: return {};
    case report::Attachment::Fault::NoCase: return u"この PDF にはケースが添付されていません。"_s;
    case report::Attachment::Fault::Damaged: return u"PDF として読めません（ファイルが壊れています）。"_s;
    case report::Attachment::Fault::CutOff:
        return u"PDF が途中で切れています。コピーやダウンロードが最後まで終わったファイルを開いてください。"_s;
    case report::Attachment::Fault::Password: return u"パスワードで保護された PDF です。保護を外した PDF かケースファイルを開いてください。"_s;
    case report::Attachment::Fault::Broken: return u"PDF に添付されたケースのデータが壊れています。"_s;
    case report::Attachment::Fault::Compression: return u"PDF に添付されたケースが、このプログラムの読めない形式で圧縮されています。"_s;
    case report::Attachment::Fault::TooLarge:
        return u"PDF に添付されたケースがケースファイルとしては大きすぎます（%1 バイトまで）。"_s.arg(cases::kMaxFileBytes);
    case report::Attachment::Fault::TooComplex: return u"PDF の添付ファイルが多すぎるか、その目録が複雑すぎます。"_s;
    }
    return {};
}

ui::WindowKind windowOf(cases::Window w)
{
    switch (w) {
    case cases::Window::Coefficients: return ui::WindowKind::Coefficients;
    case cases::Window::Second: return ui::WindowKind::SecondStudy;
    case cases::Window::Sheet: break;
    }
    return ui::WindowKind::TaxSheet;
}

void tell(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
    ui::runModal(box, parent);
}

// The local files dropped; none for a drop of text or of a web address.
QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
    return files;
}

// On the window and on each child that would take a drop itself (the entry fields take
// text): a file's drop is the window's.
class CaseDrops : public QObject {
public:
    CaseDrops(QWidget* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (localFiles(drag->mimeData()).isEmpty())
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = localFiles(drop->mimeData());
            if (paths.isEmpty())
                return false;
            drop->acceptProposedAction();
            // A window holds one case: which of several would be a guess.
            if (paths.size() > 1)
                tell(window_, u"開く"_s, u"%1 個のファイルがドロップされました。一度に開けるのは 1 つのファイルだけです。"_s.arg(paths.size()));
            else
                openCaseFile(window_, paths.first());
            return true;
        }
        default: return false;
        }
    }

private:
    QWidget* window_;
};

} // namespace

QByteArray caseFileBytes(const cases::FileCase& c)
{
    const std::string text = cases::caseFileText(c);
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

void attachCase(report::Document& doc, const cases::FileCase& c)
{
    // In ASCII: Qt writes an attachment's name in PDFDocEncoding, where Japanese is lost.
    doc.caseFileName = u"case_"_s + doc.date.toString(u"yyyyMMdd"_s) + qs(cases::kSuffix);
    doc.caseFile = caseFileBytes(c);
}

OpenedFile readCase(const QString& path)
{
    const auto refused = [&](const QString& why) {
        return OpenedFile{std::nullopt, u"「%1」を開けませんでした。\n%2"_s.arg(QFileInfo(path).fileName(), why)};
    };
    // Read with a bound whatever the file is: a pipe, a link to a device or a file claiming
    // a size it does not have ends at once or at the limit.
    using Fault = cases::OutsideFile::Fault;
    const auto isPdf = [](std::string_view start) { return start.starts_with("%PDF-"); };
    cases::OutsideFile read = cases::readOutsideFile(QFileInfo(path).filesystemFilePath(), [&](std::string_view start) {
        return isPdf(start) ? std::size_t{kMaxPdfBytes} : cases::kMaxFileBytes;
    });
    const bool pdf = isPdf(read.bytes);
    switch (read.fault) {
    case Fault::None: break;
    case Fault::Missing: return refused(u"ファイルがありません。"_s);
    case Fault::Folder: return refused(u"フォルダーです。"_s);
    case Fault::NotAFile: return refused(u"ファイルではありません（パイプや装置は開けません）。"_s);
    case Fault::Denied: return refused(u"読み取りが許可されていません。"_s);
    case Fault::Unreadable: return refused(u"ファイルを読めません（%1）。"_s.arg(qs(read.error)));
    case Fault::TooLarge:
        return refused(pdf ? u"PDF が大きすぎます（%1 バイトまで）。"_s.arg(kMaxPdfBytes) : reason({FileError::Kind::TooLarge, {}}));
    }
    QByteArray attached;
    std::string_view bytes = read.bytes;
    if (pdf) {
        if (const QString missing = report::pdfReaderMissing(); !missing.isEmpty())
            return refused(missing);
        report::Attachment a = report::attachedCase(QByteArray::fromRawData(read.bytes.data(), static_cast<qsizetype>(read.bytes.size())));
        if (const QString why = attachmentFault(a.fault); !why.isEmpty())
            return refused(why);
        attached = std::move(*a.file);
        bytes = std::string_view(attached.constData(), static_cast<std::size_t>(attached.size()));
    }
    cases::ReadFile kase = cases::readCaseFile(bytes);
    if (!kase.kase)
        return refused(reason(kase.error));
    return {std::move(kase.kase), {}};
}

bool saveCase(const cases::FileCase& c, const QString& path, QString* error)
{
    const ui::SaveResult r = ui::saveFile(caseFileBytes(c), path);
    if (!r.ok && error)
        *error = r.reason;
    return r.ok;
}

QString saveCaseWithDialog(QWidget* window, const cases::FileCase& c, const QString& stem, const QString& client)
{
    const QString suffix = qs(cases::kSuffix);
    const ui::SaveRequest request{u"保存"_s, report::suggestedName(stem, QDate::currentDate(), client, suffix),
                                  u"ケースファイル (*%1)"_s.arg(suffix), suffix.mid(1), u"ケースを保存できませんでした。"_s};
    const QString path = ui::saveWithDialog(window, request, caseFileBytes(c));
    window->activateWindow(); // without a window manager nothing gives it back
    return path;
}

void openCaseWithDialog(QWidget* window)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    const ui::DialogTrace trace;
    QFileDialog dialog(window, u"開く"_s, folder);
    // Qt's own dialog, as for saving: the native ones keep a history of their own.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({u"ケースファイル、ケースを添付した PDF (*%1 *.pdf)"_s.arg(qs(cases::kSuffix)),
                           u"すべてのファイル (*)"_s});
    const QString path = ui::runModal(dialog, window) == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    if (!path.isEmpty())
        openCaseFile(window, path);
}

bool openCaseFile(QWidget* parent, const QString& path)
{
    const OpenedFile opened = readCase(path);
    if (!opened.kase) {
        tell(parent, u"開く"_s, opened.refusal);
        return false;
    }
    const ui::WindowKind kind = windowOf(opened.kase->window);
    if (auto* open = dynamic_cast<CaseWindow*>(ui::openWindow(kind)); open && open->holdsCalculatedCase()) {
        QWidget* target = ui::openWindow(kind);
        QMessageBox ask(QMessageBox::Question, u"開く"_s,
                        u"計算したケースを「%1」の内容で置き換えます。よろしいですか？"_s.arg(QFileInfo(path).fileName()),
                        QMessageBox::Yes | QMessageBox::No, target);
        ask.setDefaultButton(QMessageBox::No);
        const bool yes = ui::runModal(ask, target) == QMessageBox::Yes;
        if (!yes)
            return false;
    }
    auto* window = dynamic_cast<CaseWindow*>(ui::showWindow(kind));
    if (!window)
        return false;
    window->openCase(*opened.kase);
    return true;
}

void acceptCaseDrops(QWidget* window)
{
    auto* drops = new CaseDrops(window);
    window->setAcceptDrops(true);
    window->installEventFilter(drops);
    for (QWidget* child : window->findChildren<QWidget*>())
        if (child->acceptDrops())
            child->installEventFilter(drops);
}

} // namespace kz::files
