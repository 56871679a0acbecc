#pragma once
#include "common/geometry.h"

#include <QWidget>

#include <array>

namespace kz::ui {
class CommandButton;
}

namespace kz::terms {

class TabDialog;

// Where the help window stands: its right edge on the screen's right edge, beside a sheet
// in the middle, and its top a quarter of the free height down. `window` is the outer
// size, frame included.
inline constexpr int kHelpAcross = 0, kHelpDown = 4;
constexpr Point helpWindowPosition(Size screen, Size window)
{
    return placeWindow(screen, window, kHelpAcross, kHelpDown);
}

// "相続税の用語と解説": six read-only pages on the terms behind the tax sheet. The sheet
// opens it beside itself without owning it, so it stays open when the sheet closes.
class FormSZkaisetu : public QWidget {
    Q_OBJECT
public:
    explicit FormSZkaisetu(QWidget* parent = nullptr);

    TabDialog* SSTab1 = nullptr;
    std::array<ui::CommandButton*, 6> Command1{};

private:
    void Form_Load();
    void Command1_Click(int index);
};

} // namespace kz::terms
