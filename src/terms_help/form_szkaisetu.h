// SPDX-License-Identifier: MIT
#pragma once
#include "core/common/geometry.h"
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "core/tax_sheet/law.h"
#include "terms_help/page_items.h"
#endif

#include <QWidget>

#include <array>
#include <utility>
#include <vector>

class QLabel;

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
// opens it beside itself without owning it, so it stays open when the sheet closes. It
// explains the law edition of the sheet that last showed it, the stated one at first.
class FormSZkaisetu : public QWidget, public tax::LawFollower {
    Q_OBJECT
public:
    explicit FormSZkaisetu(QWidget* parent = nullptr);

    const tax::LawEdition& law() const { return *law_; }
    void followLaw(const tax::LawEdition& law) override;

    TabDialog* SSTab1 = nullptr;
    std::array<ui::CommandButton*, 6> Command1{};

private:
    void Form_Load();
    void Command1_Click(int index);
    void showLawNotes();

    const tax::LawEdition* law_ = &tax::statedLaw();
    std::vector<std::pair<const Picture*, QLabel*>> pictures_;
    std::vector<std::pair<const ui::Control*, QWidget*>> notePlaces_; // a law note's place on a page
    std::vector<QLabel*> notes_;
    std::vector<LawText> lawTexts_; // the texts that name the edition or its era
};

} // namespace kz::terms
