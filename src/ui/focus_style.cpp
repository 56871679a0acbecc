// SPDX-License-Identifier: MIT
#include "ui/focus_style.h"

#include "ui/focus_frame.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDataStream>
#include <QIODevice>
#include <QHash>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
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
        if (!drawFace(element, option, painter, widget))
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        if (element == PE_PanelLineEdit && (option->state & State_HasFocus))
            paintFocusFrame(*painter, option->rect);
    }

private:
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
        const qreal dpr = painter->device()->devicePixelRatio();
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
