// SPDX-License-Identifier: MIT
#include "ui/focus_style.h"

#include "ui/face_cache.h"
#include "ui/focus_frame.h"
#include "ui/shaped_text.h"

#include <QLatin1String>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

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
        const auto paint = [&](const QStyleOption* o, QPainter* p) { QProxyStyle::drawPrimitive(element, o, p, widget); };
        if (!faces_.draw(element, option, painter, widget, paint))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_PanelLineEdit && (option->state & State_HasFocus))
            paintFocusFrame(*painter, option->rect);
    }

    // A caption's text is shaped (each character's glyph and place found) at every paint;
    // that was a fifth of the tax sheet's opening: plain lines are shaped once (shaped_text.h).
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal, bool enabled,
                      const QString& text, QPalette::ColorRole textRole) const override
    {
        if (!enabled || !text_.draw(painter, rect, flags, pal, text, textRole))
            QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
    }

private:
    ShapedText text_{baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0};
    FaceCache faces_;
};

} // namespace

QStyle* makeFocusFrameStyle() { return new FocusFrameStyle; }

} // namespace kz::ui
