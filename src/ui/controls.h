// SPDX-License-Identifier: MIT
#pragma once
// A fixed window is a table of controls in twips, built by one function.
#include "core/common/geometry.h"

#include <QColor>
#include <QString>

#include <span>

class QLabel;
class QWidget;

namespace kz::ui {

enum class Kind {
    Label,   // text; transparent unless a background is given
    Frame,   // a rectangle outline (border colour = foreground, default black)
    Panel,   // a filled rectangle (background) behind other controls
    Line,    // a rule: height 0 draws a horizontal line, width 0 a vertical one
    Box,     // a label drawn inside a frame, like an event box of a chart
};

struct Control {
    Kind kind;
    const char16_t* text;  // caption (ignored by frames, panels and lines)
    Twips left, top, width, height;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QRgb background = 0;   // 0: transparent
    QRgb foreground = 0;   // 0: black text / black rule
    qreal pointSize = 0;   // 0: the window's font
    bool bold = false;
    int lineWidthPx = 1;
};

constexpr QRgb rgb(int r, int g, int b) { return 0xff000000u | (unsigned(r) << 16) | (unsigned(g) << 8) | unsigned(b); }

inline constexpr QRgb kLightCyan = rgb(192, 255, 255);
inline constexpr QRgb kLightYellow = rgb(255, 255, 128);
inline constexpr QRgb kPaleYellow = rgb(255, 255, 192);
inline constexpr QRgb kWhite = rgb(255, 255, 255);
inline constexpr QRgb kGrey = rgb(128, 128, 128);

QWidget* buildControl(const Control& c, QWidget* parent);
void buildControls(std::span<const Control> table, QWidget* parent);

// A fixed background of one colour, with the text colours fixed for it (setTextColoursOn).
void setBackground(QWidget* w, QRgb colour);

// Every colour the windows fix is a background meant for black text. Under a dark desktop
// palette the inherited text would be white, so wherever a background is fixed the text
// colours are fixed with it: labels get a text colour that reads on it, and entry fields
// black on white. The widget's children inherit both. For a widget whose contents stand on
// a fixed background that a sibling paints, call this alone.
void setTextColoursOn(QWidget* w, QRgb background);

// A text label at a twips position, as the tables build them.
QLabel* makeLabel(const QString& text, Twips left, Twips top, Twips width, Twips height, QWidget* parent,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// Rows of text with a uniform step, top to bottom, for lists such as reference tables.
QString lines(std::initializer_list<const char16_t*> parts);

// The label's text can be selected with the mouse and copied. A selectable label lays its
// text out as a document, several times the work of a plain one at every change, so it
// becomes selectable only while the mouse is over it or a selection is kept.
void makeSelectable(QLabel* label);

} // namespace kz::ui
