// SPDX-License-Identifier: MIT
#include "ui/save_file.h"

#include "ui/dialog_trace.h"
#include "ui/file_sync.h"
#include "ui/modal.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

// The window's last save folder lives on the window itself: it goes when the window closes.
constexpr char kSaveFolder[] = "kzSaveFolder";

// Qt's own error texts are the C library's, in English: the user reads these instead.
QString reasonFor(int err, QFileDevice::FileError kind)
{
    if (meansNoRoom(err))
        return u"デバイスに空き容量がありません"_s;
    switch (err) {
    case EACCES:
    case EPERM:
        return u"書き込みが許可されていません"_s;
    case EROFS:
        return u"読み取り専用の場所には書き込めません"_s;
    case ENOENT:
    case ENOTDIR:
        return u"保存先のフォルダがありません"_s;
    case EISDIR:
        return u"同じ名前のフォルダがあります"_s;
    case ENAMETOOLONG:
        return u"ファイル名が長すぎます"_s;
    case EFBIG:
        return u"ファイルが大きすぎます"_s;
    case EIO:
        return u"装置の読み書きでエラーが起きました"_s;
    case 0:
        break;
    default:
        return u"書き込めませんでした（%1）"_s.arg(QString::fromLocal8Bit(std::strerror(err)));
    }
    switch (kind) {
    case QFileDevice::ResourceError:
        return u"デバイスに空き容量がありません"_s;
    case QFileDevice::PermissionsError:
        return u"書き込みが許可されていません"_s;
    case QFileDevice::OpenError:
        return u"ファイルを作成できません"_s;
    default:
        return u"書き込めませんでした"_s;
    }
}

QString startFolder(const QWidget* parent)
{
    const QString last = parent ? parent->window()->property(kSaveFolder).toString() : QString();
    if (!last.isEmpty() && QDir(last).exists())
        return last;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath();
}

class SaveDialog : public QFileDialog {
public:
    SaveDialog(QWidget* parent, const SaveRequest& request) : QFileDialog(parent, request.title), suffix_(u'.' + request.suffix)
    {
        // The native dialogs keep a history of their own (GTK's recent files and its
        // last folder in GSettings, the desktop portal's), out of the program's reach.
        setOption(DontUseNativeDialog);
        setAcceptMode(AcceptSave);
        setFileMode(AnyFile);
        setNameFilter(request.filter);
        setDirectory(startFolder(parent));
        selectFile(request.fileName);
    }

    // Qt's default suffix is added only to a name without any dot ("報告.2026" would stay
    // as typed), so the suffix is added here, before the dialog asks about replacing.
    void accept() override
    {
        const QStringList files = selectedFiles();
        if (files.size() == 1 && !QFileInfo(files[0]).isDir()) {
            const QFileInfo typed(files[0]);
            const bool hasSuffix = typed.fileName().endsWith(suffix_, Qt::CaseInsensitive);
            // Qt's dialog itself ignores a name too long for the folder without a word.
            const QString refusal =
                typed.fileName().chopped(hasSuffix ? suffix_.size() : 0).trimmed().isEmpty()
                    ? u"ファイル名を入力してください。"_s
                : (typed.fileName() + (hasSuffix ? QString() : suffix_)).toUtf8().size() > kMaxFileNameBytes
                    ? u"ファイル名が長すぎます。短くしてください（日本語で 85 文字ほどまで）。"_s
                    : QString();
            if (!refusal.isEmpty()) {
                QMessageBox box(QMessageBox::Warning, windowTitle(), refusal, QMessageBox::Ok, this);
                box.exec();
                return;
            }
            // Into the name field itself: selectFile() leaves a field under edit as it is.
            auto* name = findChild<QLineEdit*>(u"fileNameEdit"_s);
            if (!hasSuffix && name)
                name->setText(typed.filePath() + suffix_);
        }
        QFileDialog::accept();
    }

private:
    QString suffix_;
};

} // namespace

SaveResult saveFile(const QByteArray& content, const QString& path)
{
    // QSaveFile refuses these two without an errno.
    const QFileInfo target(path);
    if (target.isDir())
        return {false, reasonFor(EISDIR, QFileDevice::NoError)};
    if (target.exists() && !target.isWritable())
        return {false, reasonFor(EACCES, QFileDevice::NoError)};
    QSaveFile file(path);
    // Never write over the old file in place: a failure then would leave it cut off.
    file.setDirectWriteFallback(false);
    const auto fail = [&file](int err) {
        const SaveResult r{false, reasonFor(err, file.error())};
        file.cancelWriting();
        return r;
    };
    // Unbuffered, and every count checked here: QSaveFile (Qt 6.4) remembers only errors
    // raised inside write(), so a short write, or the last buffered block failing when
    // commit() closes the file, went unseen and the cut-off file was linked into place.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fail(errno);
    for (qsizetype done = 0; done < content.size();) {
        errno = 0;
        const qint64 written = file.write(content.constData() + done, content.size() - done);
        if (written <= 0) // a short write is taken as far as it goes; the next one tells why
            return fail(errno);
        done += written;
    }
    errno = 0;
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return fail(errno);
    // commit() syncs too but ignores the result; a file system that allocates late (ext4,
    // network folders, quotas) reports a full device only here.
    errno = 0;
    if (!syncFile(file.handle()))
        return fail(errno);
    errno = 0;
    if (!file.commit())
        return {false, reasonFor(errno, file.error())};
    return {true, {}};
}

QString askSavePath(QWidget* parent, const SaveRequest& request)
{
    const DialogTrace trace;
    SaveDialog dialog(parent, request);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

QString saveWithDialog(QWidget* parent, const SaveRequest& request, const QByteArray& content)
{
    const QString path = askSavePath(parent, request);
    if (path.isEmpty())
        return {};
    const SaveResult result = saveFile(content, path);
    if (result.ok) {
        if (parent)
            parent->window()->setProperty(kSaveFolder, QFileInfo(path).absolutePath());
        return path;
    }
    tellSaveFailed(parent, request, result.reason);
    return {};
}

void tellSaveFailed(QWidget* parent, const SaveRequest& request, const QString& reason)
{
    QMessageBox box(QMessageBox::Warning, request.title, request.failure + u'\n' + reason, QMessageBox::Ok, parent);
    runModal(box, parent);
}

void keepNoSettings()
{
    // "/dev/null" is a file: no folder, and so no settings file, can be made under it.
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(format, QSettings::UserScope, u"/dev/null"_s);
}

} // namespace kz::ui
