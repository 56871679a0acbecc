// SPDX-License-Identifier: MIT
#include "ui/shaped_text.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace kz::ui {

ShapedText::ShapedText(bool drawTextPlacing) : placing_(drawTextPlacing) {}

ShapedText::~ShapedText() = default;

bool ShapedText::draw(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, const QString& text,
                      QPalette::ColorRole textRole) const
{
    const QTextLayout* layout = shaped(painter, rect, flags, text);
    if (!layout)
        return false;
    const QPen savedPen = painter->pen();
    if (textRole != QPalette::NoRole)
        painter->setPen(QPen(pal.brush(textRole), savedPen.widthF()));
    // drawText's placing: the lines that fit the height (and the one that crosses it),
    // the block aligned as a whole, each line aligned across on its own.
    const bool dontClip = flags & Qt::TextDontClip;
    int lines = 0;
    qreal height = 0, width = 0;
    while (lines < layout->lineCount()) {
        const QTextLine line = layout->lineAt(lines++);
        height = line.y() + line.ascent() + line.descent();
        width = std::max(width, line.naturalTextWidth());
        if (!dontClip && height >= rect.height())
            break;
    }
    qreal xoff = 0, yoff = 0;
    if (flags & Qt::AlignBottom)
        yoff = rect.height() - height;
    else if (flags & Qt::AlignVCenter)
        yoff = (rect.height() - height) / 2;
    if (flags & Qt::AlignRight)
        xoff = rect.width() - width;
    else if (flags & Qt::AlignHCenter)
        xoff = (rect.width() - width) / 2;
    const bool clip = !dontClip && !QRectF(rect).contains(QRectF(rect.x() + xoff, rect.y() + yoff, width, height));
    if (clip) {
        painter->save();
        painter->setClipRect(rect, Qt::IntersectClip);
    }
    for (int i = 0; i < lines; ++i) {
        const QTextLine line = layout->lineAt(i);
        const qreal advance = line.horizontalAdvance();
        xoff = flags & Qt::AlignRight ? rect.width() - advance : flags & Qt::AlignHCenter ? (rect.width() - advance) / 2 : 0;
        line.draw(painter, QPointF(rect.x() + xoff, rect.y() + yoff));
    }
    if (clip)
        painter->restore();
    if (textRole != QPalette::NoRole)
        painter->setPen(savedPen);
    return true;
}

const QTextLayout* ShapedText::shaped(QPainter* painter, const QRect& rect, int flags, const QString& text) const
{
    // Mnemonics and tabs change nothing in a text without "&" or tabs.
    constexpr int kPlainFlags = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextForceLeftToRight | Qt::TextDontClip
                                | Qt::TextShowMnemonic | Qt::TextHideMnemonic | Qt::TextExpandTabs | Qt::TextWordWrap;
    const QFont& font = painter->font();
    if (!placing_ || text.isEmpty() || (flags & ~kPlainFlags) || (flags & Qt::AlignJustify)
        || (!(flags & Qt::TextForceLeftToRight) && painter->layoutDirection() != Qt::LeftToRight)
        || font.underline() || font.overline() || font.strikeOut() || painter->paintEngine()->type() != QPaintEngine::Raster)
        return nullptr;
    for (const QChar c : text)
        if (c == u'\t' || c == u'\r' || c == u'&' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator
            || c.direction() == QChar::DirR || c.direction() == QChar::DirAL)
            return nullptr;
    const QPaintDevice* device = painter->device();
    const bool wrap = flags & Qt::TextWordWrap;
    LinesKey key{text, font, flags, wrap ? std::max(0, rect.width()) : -1, device->logicalDpiX(), device->logicalDpiY()};
    if (auto it = lines_.constFind(key); it != lines_.constEnd())
        return it->get();
    if (lines_.size() >= kMaxLines)
        lines_.clear();
    // drawText breaks lines at "\n", and a wrapped text at its room too; each line on a whole
    // pixel below the last. Only an unwrapped line keeps its trailing spaces.
    auto layout = std::make_shared<QTextLayout>(QString(text).replace(u'\n', QChar::LineSeparator), font,
                                                const_cast<QPaintDevice*>(device));
    layout->setCacheEnabled(true);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    if (!wrap)
        option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout->setTextOption(option);
    const qreal leading = QFontMetricsF(font, device).leading();
    qreal height = -leading;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLineWidth(wrap ? key.width : 0x01000000);
        height = std::ceil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
    }
    layout->endLayout();
    return lines_.insert(key, std::move(layout))->get();
}

} // namespace kz::ui
