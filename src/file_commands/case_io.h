// SPDX-License-Identifier: MIT
#pragma once
// A client's case in a file, for the calculator windows: 保存… writes the window's entries,
// 開く… (and a file dropped on a window, and `kazenoha FILE`) types a file's case into the
// window it is for. The format and its reader are Qt-free (case/case_file.h).
#ifndef Q_MOC_RUN
#include "core/case/case_file.h"
#endif

#include "report/report.h"

#include <QByteArray>
#include <QString>

class QWidget;

namespace kz::files {

// A calculator window that keeps its case in a file.
class CaseWindow {
public:
    // The window's entries (inputs only).
    virtual cases::FileCase fileCase() const = 0;
    // Whether a calculated case would be lost by opening another.
    virtual bool holdsCalculatedCase() const = 0;
    // Replaces the window's model by one the case was typed into and computed.
    virtual void openCase(const cases::FileCase& c) = 0;
    // Tells what a case file cannot keep, before it is saved.
    virtual void warnBeforeSave() {}

protected:
    ~CaseWindow() = default;
};

// The case's file text, as saved and as attached to a report.
QByteArray caseFileBytes(const cases::FileCase& c);

// The report carries the case it shows, named "case_YYYYMMDD.kazenoha" after its date.
void attachCase(report::Document& doc, const cases::FileCase& c);

// A file's case, or why it is refused in the user's words, the file named.
struct OpenedFile {
    std::optional<cases::FileCase> kase;
    QString refusal;
};
OpenedFile readCase(const QString& path);

// Writes the case file through the program's one save routine (ui/save_file.h): a failure
// leaves no partial file and an existing file as it was, and says why in `error`.
bool saveCase(const cases::FileCase& c, const QString& path, QString* error = nullptr);

// 保存…: asks for a file through the program's save dialog, "stem_YYYYMMDD.kazenoha" first
// (with the client's name of the window's reports where one was given: "stem_name_YYYYMMDD…"),
// and saves; a failure is told. Returns the path saved.
QString saveCaseWithDialog(QWidget* window, const cases::FileCase& c, const QString& stem,
                           const QString& client = {});

// 開く…: asks for a case file (or a report that carries one) and opens it.
void openCaseWithDialog(QWidget* window);

// Opens the file in the window its case is for, shown (and made) first; asks before it
// replaces a calculated case. A refused file is told and leaves every window as it was.
bool openCaseFile(QWidget* parent, const QString& path);

// A case file dropped anywhere on the window opens as 開く… would open it; the entry
// fields then take no dropped text of a file's name.
void acceptCaseDrops(QWidget* window);

} // namespace kz::files
