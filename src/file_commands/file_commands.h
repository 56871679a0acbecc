// SPDX-License-Identifier: MIT
#pragma once
// The file commands every calculator window shares: its 計算過程 window, its report as a PDF
// and in a print preview, and its case in a file (開く…, 保存…). A window says what it is (the
// files' stem, how its report and steps are made, where its buttons stand); the commands keep
// the client's name and the steps window while the window is open.
#ifndef Q_MOC_RUN
#include "file_commands/case_io.h"
#endif
#include "report/report.h"
#include "report/steps_window.h"
#include "ui/window_registry.h"

#include <QKeyCombination>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QAbstractButton;

namespace kz::ui {
class CommandButton;
}

namespace kz::files {

enum class Command { Steps, SaveReport, PreviewReport, Open, SaveCase };

struct CommandInfo {
    Command command;
    const char16_t* caption;
    const char16_t* name; // the button's object name
    QKeyCombination key;
};
// In the order the windows show them. Ctrl+S is the PDF's: a case saves with Ctrl+Shift+S,
// the common key of a save that asks for the file's name, which this one always does.
inline constexpr CommandInfo kCommands[] = {
    {Command::Steps, u"計算過程", u"StepsCommand", QKeyCombination(Qt::Key_F2)},
    {Command::SaveReport, u"PDFに保存…", u"SaveCommand", QKeyCombination(Qt::CTRL, Qt::Key_S)},
    {Command::PreviewReport, u"印刷プレビュー…", u"PreviewCommand", QKeyCombination(Qt::CTRL, Qt::Key_P)},
    {Command::Open, u"開く…", u"OpenCommand", QKeyCombination(Qt::CTRL, Qt::Key_O)},
    {Command::SaveCase, u"保存…", u"SaveCaseCommand", QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_S)},
};
const CommandInfo& info(Command c);

// What a calculator window gives its commands.
struct Calculator {
    QString stem;       // "相続税試算": the files' names start with it
    QString stepsTitle; // "計算過程 － 相続税計算シート"
    ui::WindowKind stepsKind;
    std::function<report::Document(const QDate&)> report;
    std::function<report::StepsPage()> stepsPage;
    // Whether no report may be made now, after telling the user why; none: always one.
    std::function<bool(report::ReportUse)> refuseReport;
};

class FileCommands : public QObject {
public:
    // A child of `window`, which is also `cases`.
    FileCommands(QWidget* window, CaseWindow& cases, Calculator calculator);
    // Its steps window's factory goes with it: nothing can make one of a window gone.
    ~FileCommands() override;

    void run(Command c);
    // The command's button: caption, object name and accessible name; a click runs it, its key
    // is shown. Where the key acts is the window's (ui::bindKey).
    ui::CommandButton* button(Command c, QWidget* parent);
    // A button made elsewhere (a tab's), wired as button() wires its own.
    void wire(QAbstractButton* button, Command c);

    // The steps window follows each change of the window's results.
    void refreshSteps();

private:
    void saveReport();
    void previewReport();

    QWidget* window_;
    CaseWindow& cases_;
    Calculator calculator_;
    QString client_; // お客様名 for its reports, kept while the window is open and nowhere else
    QPointer<report::StepsWindow> steps_;
};

} // namespace kz::files
