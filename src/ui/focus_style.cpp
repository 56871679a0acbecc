// SPDX-License-Identifier: MIT
#include "ui/focus_style.h"

#include "ui/focus_frame.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDataStream>
#include <QFontMetricsF>
#include <QIODevice>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QProxyStyle>
#include <QStyleOption>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>

namespace kz::ui {

namespace {

class FocusFrameStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        // A tab (the coefficient window's strip, the help window's captions) shows no frame
        // of the style's own; the program's goes round the focused one.
        const auto* tab = qstyleoption_cast<const QStyleOptionTab*>(option);
        if (element == CE_TabBarTab && tab && (option->state & State_HasFocus)) {
            QStyleOptionTab plain = *tab;
            plain.state &= ~(State_HasFocus | State_KeyboardFocusChange);
            QProxyStyle::drawControl(element, &plain, painter, widget);
            paintFocusFrameOnAnyGround(*painter, option->rect);
            return;
        }
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        if (element != CE_PushButton || !button || !(option->state & State_HasFocus)) {
            QProxyStyle::drawControl(element, option, painter, widget);
            return;
        }
        // The style draws a focused button differently after a Tab move than after any other
        // move; drawn as unfocused, it looks the same either way under the frame.
        QStyleOptionButton plain = *button;
        plain.state &= ~(State_HasFocus | State_KeyboardFocusChange);
        QProxyStyle::drawControl(element, &plain, painter, widget);
        paintFocusFrame(*painter, option->rect);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_FrameFocusRect) {
            // Tab captions and the like: shown for every focus move, not only after Tab.
            paintFocusFrame(*painter, option->rect);
            return;
        }
        if (!drawFace(element, option, painter, widget))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_PanelLineEdit && (option->state & State_HasFocus))
            paintFocusFrame(*painter, option->rect);
    }

    // A caption's text is shaped (each character's glyph and place found) at every paint;
    // that was a fifth of the tax sheet's opening. Plain lines, laid out as QPainter::drawText
    // lays them out, are shaped once here and drawn from that after, exactly where drawText
    // draws them.
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, bool enabled,
                      const QString& text, QPalette::ColorRole textRole) const override
    {
        const QTextLayout* layout = enabled ? shapedLines(painter, rect, flags, text) : nullptr;
        if (!layout) {
            QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
            return;
        }
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
    }

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
    // them; null where the text is not plain left-to-right lines (tabs, mnemonics, decorations)
    // or the style is not the one whose placing is copied above.
    const QTextLayout* shapedLines(QPainter* painter, const QRect& rect, int flags, const QString& text) const
    {
        // Mnemonics and tabs change nothing in a text without "&" or tabs.
        constexpr int kPlainFlags = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextForceLeftToRight | Qt::TextDontClip
                                    | Qt::TextShowMnemonic | Qt::TextHideMnemonic | Qt::TextExpandTabs | Qt::TextWordWrap;
        const QFont& font = painter->font();
        if (!fusion_ || text.isEmpty() || (flags & ~kPlainFlags) || (flags & Qt::AlignJustify)
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

    static constexpr qsizetype kMaxLines = 4000; // the windows' captions several times over
    mutable QHash<LinesKey, std::shared_ptr<QTextLayout>> lines_;
    bool fusion_ = baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0;

    // The style draws every field's and button's face with antialiased curves at each paint,
    // and keys its own images of a face by palette objects, which are new with every window:
    // a window opened again drew each face anew (a tenth of the tax sheet's opening). A face
    // is drawn here once for each look (kind, size, state, colours) and copied after. Only
    // onto pixels without scaling: a page recorded for the printer keeps its vectors.
    bool drawFace(PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
    {
        if ((element != PE_PanelLineEdit && element != PE_PanelButtonCommand) || option->rect.isEmpty()
            || painter->paintEngine()->type() != QPaintEngine::Raster
            || painter->worldTransform().type() > QTransform::TxTranslate)
            return false;
        // A field inside a spin box or combo box is drawn by its owner.
        if (element == PE_PanelLineEdit && widget && widget->parentWidget()
            && (qobject_cast<const QAbstractSpinBox*>(widget->parentWidget())
                || qobject_cast<const QComboBox*>(widget->parentWidget())))
            return false;
        // At a fractional scale a face copied to a place between device pixels would not match
        // one drawn there.
        const qreal dpr = painter->device()->devicePixelRatio();
        if (dpr != std::floor(dpr))
            return false;
        QByteArray key;
        QDataStream out(&key, QIODevice::WriteOnly);
        out << int(element) << int(option->state) << int(option->direction) << option->rect.size() << dpr;
        if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option))
            out << frame->lineWidth << frame->midLineWidth << int(frame->features) << int(frame->frameShape);
        if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
            out << int(button->features);
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            out << quint64(option->palette.color(QPalette::ColorRole(role)).rgba64());
        auto it = faces_.constFind(key);
        if (it == faces_.constEnd()) {
            if (faces_.size() >= kMaxFaces)
                faces_.clear();
            QPixmap face(option->rect.size() * dpr);
            face.setDevicePixelRatio(dpr);
            face.fill(Qt::transparent);
            QPainter p(&face);
            const QPoint at = option->rect.topLeft();
            if (const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
                QStyleOptionFrame moved = *frame;
                moved.rect.translate(-at);
                QProxyStyle::drawPrimitive(element, &moved, &p, widget);
            } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
                QStyleOptionButton moved = *button;
                moved.rect.translate(-at);
                QProxyStyle::drawPrimitive(element, &moved, &p, widget);
            } else {
                return false;
            }
            p.end();
            it = faces_.insert(key, face);
        }
        painter->drawPixmap(option->rect.topLeft(), *it);
        return true;
    }

    static constexpr qsizetype kMaxFaces = 256; // a few hundred kB at most
    mutable QHash<QByteArray, QPixmap> faces_;
};

} // namespace

QStyle* makeFocusFrameStyle() { return new FocusFrameStyle; }

} // namespace kz::ui
