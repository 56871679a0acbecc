// SPDX-License-Identifier: MIT
#include "cli/byte_io.h"
#include "cli/compute.h"
#include "file_commands/case_io.h"
#include "shell/window_setup.h"
#include "ui/app.h"
#include "ui/running_mark.h"
#include "ui/window_registry.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <string_view>

using namespace Qt::StringLiterals;

namespace {

// --help and --version answer without a window, so they must not need a display: only a
// QApplication connects to one.
bool answersWithoutWindow(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        for (std::string_view option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (arg == option)
                return true;
    }
    return false;
}

void describeOptions(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        u"Kazenoha — 相続税額計算シートと係数計算\n"
        u"An inheritance-tax sheet and a financial-coefficient calculator. Without options it\n"
        u"opens the main menu; Qt's own options, such as -platform and -style, work too."_s);
    parser.addHelpOption();
    parser.addVersionOption();
    // Answered by kz::cli before Qt starts; listed here for the help.
    parser.addOption(QCommandLineOption(
        u"compute"_s,
        u"Compute the cases of a JSON Lines file (- for standard input), one answer line each, "
        u"without a window or display (see "_s + QString::fromUtf8(KZ_DOCS) + u")."_s,
        u"FILE"_s));
    parser.addPositionalArgument(u"CASE"_s, u"A case file (.kazenoha), or a report that carries one, to open in its window."_s,
                                 u"[CASE]"_s);
}

// Without a QApplication nothing takes Qt's own options out of the arguments: they are known
// here, hidden from the help, so that "kazenoha -style fusion --version" still answers.
void acceptQtOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    auto hidden = [&](QCommandLineOption option) {
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    };
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                             "qwindowicon", "qwindowtitle", "session", "display", "geometry", "name", "style",
                             "stylesheet"})
        hidden(QCommandLineOption(QString::fromLatin1(name), {}, u"value"_s));
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"})
        hidden(QCommandLineOption(QString::fromLatin1(name)));
}

} // namespace

int main(int argc, char** argv)
{
    // Batch work needs no display and starts without Qt.
    if (kz::cli::wantsCompute(argc, argv))
        return kz::cli::computeMain(argc, argv);

    QCoreApplication::setApplicationName(u"kazenoha"_s);
    QCoreApplication::setApplicationVersion(QString::fromLatin1(KZ_VERSION));
    QCommandLineParser parser;
    describeOptions(parser);
    if (answersWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        acceptQtOptions(parser);
        // Written here rather than by Qt, which writes the local 8-bit encoding: a Japanese
        // Windows console would read the help's Japanese as cp932.
        if (parser.parse(app.arguments()) && !parser.isSet(u"help-all"_s)) {
            const bool help = parser.isSet(u"help"_s);
            if (help || parser.isSet(u"version"_s)) {
                const QString text = help ? parser.helpText().chopped(1)
                                          : app.applicationName() + u' ' + app.applicationVersion();
                return kz::cli::writeLine(stdout, text.toStdString()) && std::fflush(stdout) == 0 ? 0 : 1;
            }
        }
        parser.process(app); // an unknown option, or Qt's own help (--help-all): Qt answers and exits
        return 0;
    }

    // QApplication takes its own options (-platform, -style …) out of the arguments first.
    QApplication app(argc, argv);
    parser.process(app); // an unknown option: one line on standard error, exit status 1
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "kazenoha: Unexpected argument '%s'.\n", qPrintable(files[1]));
        return 1;
    }
    kz::ui::markRunning();
    kz::ui::setupApplication(app);
    kz::shell::registerWindows();
    QWidget* menu = kz::ui::showWindow(kz::ui::WindowKind::Menu);
    // A case opens in its window over the menu; a refused one is told there.
    if (!files.isEmpty())
        kz::files::openCaseFile(menu, files.first());
    return app.exec();
}
