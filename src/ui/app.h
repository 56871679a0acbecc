// SPDX-License-Identifier: MIT
#pragma once
class QApplication;
class QString;
class QWidget;
#include "ui/program_font.h"

#include <string>
#include <string_view>

namespace kz::ui {

// Fonts, Japanese standard-button texts and the program icon; main() and the widget
// tests call this so that both see the same program.
void setupApplication(QApplication& app);

// Gives a window the program's font, before its controls are built: a platform theme's
// fonts (for labels, buttons …) and the application's font then reach none of them.
void setWindowFont(QWidget* window);

// UTF-8 model text to Qt and back.
QString qs(std::string_view utf8);
std::string utf8(const QString& text);

} // namespace kz::ui
