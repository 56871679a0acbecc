// SPDX-License-Identifier: MIT
#pragma once
// The font the windows' layout was drawn for, header-only so that the bare program the
// benchmarks measure against (bench/) shows its text in the same font without our code.
#include <QFont>
#include <QString>

namespace kz::ui {

// The layout was drawn for this Windows font; IPAPGothic has the same proportional metrics.
inline void substituteProgramFonts()
{
    using namespace Qt::StringLiterals;
    QFont::insertSubstitution(u"ＭＳ Ｐゴシック"_s, u"IPAPGothic"_s);
    QFont::insertSubstitution(u"ＭＳ ゴシック"_s, u"IPAGothic"_s);
}

// Every property stated: a theme's font for a kind of control (labels, buttons …) may be bold.
inline QFont programFont()
{
    using namespace Qt::StringLiterals;
    QFont font(u"ＭＳ Ｐゴシック"_s);
    font.setPointSizeF(9);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

} // namespace kz::ui
