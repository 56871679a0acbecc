// SPDX-License-Identifier: MIT
#pragma once
// The one way the program writes a file the user asked for (reports as PDF, case files),
// and the one save dialog. Nothing else of the program touches the disk.
//
//   const kz::ui::SaveResult r = kz::ui::saveFile(bytes, path);
//   if (!r.ok) tell the user u"…を保存できませんでした。\n"_s + r.reason;
//
// The content is made whole in memory first; then either the whole of it stands at `path`
// and has reached the device, or `path` is as it was (no file, or the old file byte for
// byte) and `reason` says why in Japanese, for the user.
#include <QByteArray>
#include <QString>

class QWidget;

namespace kz::ui {

// The longest file name every file system of ours takes: 255 bytes of UTF-8 (Linux),
// which is never more than Windows' 255 UTF-16 units.
inline constexpr qsizetype kMaxFileNameBytes = 255;

struct SaveResult {
    bool ok = false;
    QString reason; // empty when ok: "デバイスに空き容量がありません", "書き込みが許可されていません", …
};

SaveResult saveFile(const QByteArray& content, const QString& path);

// What a save dialog asks for and how a failure is told.
struct SaveRequest {
    QString title;    // the dialog's and the message's title: "PDFに保存"
    QString fileName; // the suggested name: "相続税試算_20261207.pdf"
    QString filter;   // "PDF (*.pdf)"
    QString suffix;   // added to a name typed without it: "pdf"
    QString failure;  // the message's first line: "PDFを保存できませんでした。"
};

// The save dialog: Qt's own on every desktop, remembering nothing on disk. It suggests the
// folder of the window's last save while the window is open, else the documents folder; it
// asks before replacing a file, adds the suffix to a name typed without it and refuses a name
// of spaces only. Returns the chosen path, or an empty string when cancelled.
QString askSavePath(QWidget* parent, const SaveRequest& request);

// askSavePath, then saveFile; a failure is told in a message box. Returns the path saved,
// or an empty string (cancelled or failed).
QString saveWithDialog(QWidget* parent, const SaveRequest& request, const QByteArray& content);

// The failure's message box: request.failure, then the reason on its own line.
void tellSaveFailed(QWidget* parent, const SaveRequest& request, const QString& reason);

// Points Qt's own per-user settings at a place where no file can be made, so that its
// dialogs (the file dialog writes its history and last folder when it closes) keep nothing.
// Called once by the application set-up, before any dialog.
void keepNoSettings();

} // namespace kz::ui
