// SPDX-License-Identifier: MIT
#pragma once
class QApplication;
class QString;
#include <string>
#include <string_view>

namespace kz::ui {

// Fonts, Japanese standard-button texts and the program icon; main() and the widget
// tests call this so that both see the same program.
void setupApplication(QApplication& app);

// UTF-8 model text to Qt and back.
QString qs(std::string_view utf8);
std::string utf8(const QString& text);

} // namespace kz::ui
