// SPDX-License-Identifier: MIT
#include "ui/app.h"

#include "ui/focus_style.h"
#include "ui/icons.h"
#include "ui/program_font.h"
#include "ui/save_file.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmapCache>
#include <QTranslator>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {
constexpr int kPixmapCacheKb = 1024;
} // namespace

void setWindowFont(QWidget* window) { window->setFont(programFont()); }

void setupApplication(QApplication& app)
{
    substituteProgramFonts();
    app.setFont(programFont());

    app.setStyle(makeFocusFrameStyle());

    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Japanese), u"qtbase"_s, u"_"_s,
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(translator);

    // Qt's styles keep button images in the pixmap cache under each window's own palette,
    // so every opening of a window adds images that are never used again. A small cache
    // still holds the open windows' images and keeps a long session from growing.
    QPixmapCache::setCacheLimit(kPixmapCacheKb);

    // Nothing is remembered between sessions, not even by Qt's own dialogs.
    keepNoSettings();

    app.setApplicationName(u"kazenoha"_s);
    // Names the installed kazenoha.desktop, whose icon Wayland desktops show for our windows.
    QGuiApplication::setDesktopFileName(u"kazenoha"_s);
    app.setWindowIcon(programIcon());
}

QString qs(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }
std::string utf8(const QString& text) { return text.toStdString(); }

} // namespace kz::ui
