// SPDX-License-Identifier: MIT
#pragma once
// Captions drawn from text shaped once: shaping (each character's glyph and place found) at
// every paint was a fifth of the tax sheet's opening. Plain lines, laid out as
// QPainter::drawText lays them out, are shaped once and drawn from that after, exactly where
// drawText draws them.
#include <QFont>
#include <QHash>
#include <QPalette>
#include <QString>
#include <QTextLayout>

#include <memory>

class QPainter;
class QRect;

namespace kz::ui {

class ShapedText {
public:
    // `drawTextPlacing`: whether the style draws text where QPainter::drawText does (Fusion);
    // otherwise nothing is drawn here.
    explicit ShapedText(bool drawTextPlacing);
    ~ShapedText();

    // Draws the text as the style's drawItemText would; false, drawing nothing, where the text
    // is not plain left-to-right lines (tabs, mnemonics, decorations).
    bool draw(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, const QString& text,
              QPalette::ColorRole textRole) const;

private:
    struct LinesKey {
        QString text;
        QFont font;
        int flags;
        int width; // the room of a wrapped text, else -1
        int dpiX, dpiY;
        friend bool operator==(const LinesKey&, const LinesKey&) = default;
        friend size_t qHash(const LinesKey& k, size_t seed = 0)
        {
            return qHashMulti(seed, k.text, k.font, k.flags, k.width, k.dpiX, k.dpiY);
        }
    };

    // The shaped lines of this text in the painter's font, placed down as drawText places
    // them; null where they cannot be.
    const QTextLayout* shaped(QPainter* painter, const QRect& rect, int flags, const QString& text) const;

    static constexpr qsizetype kMaxLines = 4000; // the windows' captions several times over
    bool placing_;
    mutable QHash<LinesKey, std::shared_ptr<QTextLayout>> lines_;
};

} // namespace kz::ui
