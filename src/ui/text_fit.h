// SPDX-License-Identifier: MIT
#pragma once
#include <QtGlobal>

#include <functional>

class QFont;
class QLabel;
class QString;
class QLineEdit;
class QWidget;

namespace kz::ui {

// A number box never shows its text cut: where the text is wider than the box, it is drawn
// in a smaller size of the same font, just small enough that every character shows; at the
// stated size nothing changes. Never below a legible floor: a text that needs less is shown
// at the floor in an honest shorter form (text_fit.cpp says which), and a box drawn smaller
// or shorter offers its whole text as tooltip and accessible description; Ctrl+C on a
// result copies the whole text. The size is chosen as the box is painted, so it follows every
// change of text. A field keeps its stated font while it has the focus, so that the caret
// scrolls the text under edit as usual. The stated font is whatever the box is given, before
// or after this call.
void fitText(QLabel* label);
void fitText(QLineEdit* field);

// The size, in quarter points, at which a text drawn in the font needs at most room pixels as
// `width` measures it: the font's own size where that fits, else the largest that does, never
// below the legible floor. For a text laid out with others (a heading and the control over it).
qreal fittingSize(const QFont& stated, qreal room, const std::function<qreal(const QFont&)>& width);

// What the box shows as drawn last: its own text, or the shorter form at the floor.
QString shownText(const QWidget* box);

// The width in pixels that the box has for its text in its present font.
int textRoom(const QWidget* box);

} // namespace kz::ui
