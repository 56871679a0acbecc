// SPDX-License-Identifier: MIT
#include "file_commands/file_commands.h"

#include "report/output.h"
#include "report/steps_window.h"
#include "ui/command_button.h"

#include <algorithm>

namespace kz::files {

const CommandInfo& info(Command c)
{
    return *std::find_if(std::begin(kCommands), std::end(kCommands), [c](const CommandInfo& i) { return i.command == c; });
}

FileCommands::FileCommands(QWidget* window, CaseWindow& cases, Calculator calculator)
    : QObject(window), window_(window), cases_(cases), calculator_(std::move(calculator))
{
    ui::registerWindow(
        calculator_.stepsKind,
        [this] {
            steps_ = new report::StepsWindow(calculator_.stepsTitle, calculator_.stepsPage, window_);
            return steps_.data();
        },
        this);
}

FileCommands::~FileCommands() { ui::unregisterWindow(calculator_.stepsKind, this); }

void FileCommands::run(Command c)
{
    switch (c) {
    case Command::Steps: ui::showWindow(calculator_.stepsKind); break;
    case Command::SaveReport: saveReport(); break;
    case Command::PreviewReport: previewReport(); break;
    case Command::Open: openCaseWithDialog(window_); break;
    case Command::SaveCase:
        cases_.warnBeforeSave();
        saveCaseWithDialog(window_, cases_.fileCase(), calculator_.stem, client_);
        break;
    }
}

void FileCommands::saveReport()
{
    if (calculator_.refuseReport && calculator_.refuseReport(report::ReportUse::Save))
        return;
    report::Document doc = calculator_.report(report::reportDate());
    attachCase(doc, cases_.fileCase());
    report::saveWithDialog(window_, doc, calculator_.stem, &client_);
}

void FileCommands::previewReport()
{
    if (!calculator_.refuseReport || !calculator_.refuseReport(report::ReportUse::Print))
        report::showPreview(window_, calculator_.report(report::reportDate()), &client_);
}

ui::CommandButton* FileCommands::button(Command c, QWidget* parent)
{
    const CommandInfo& i = info(c);
    auto* b = new ui::CommandButton(QString::fromUtf16(i.caption), parent);
    b->setObjectName(QString::fromUtf16(i.name));
    b->setAccessibleName(QString(b->text()).remove(u'…'));
    wire(b, c);
    return b;
}

void FileCommands::wire(QAbstractButton* button, Command c)
{
    connect(button, &QAbstractButton::clicked, this, [this, c] { run(c); });
    ui::showKey(button, info(c).key);
}

void FileCommands::refreshSteps()
{
    if (steps_)
        steps_->refresh();
}

} // namespace kz::files
