// SPDX-License-Identifier: MIT
#include "tax_sheet/law_chooser.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

namespace kz::tax {

namespace {
// Fixed colours on the sheet's fixed white, whatever the desktop's palette.
const QColor kPointed(128, 128, 128);
const QColor kFocused(0, 84, 166);
const QColor kTint(0, 84, 166, 24);
constexpr int kArrow = 9; // the width of the drop-down mark
} // namespace

LawChooser::LawChooser(QWidget* parent)
    : QComboBox(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
}

bool LawChooser::event(QEvent* e)
{
    if (e->type() == QEvent::HoverEnter || e->type() == QEvent::HoverLeave)
        update();
    return QComboBox::event(e);
}

void LawChooser::paintEvent(QPaintEvent*)
{
    const bool focused = hasFocus() || popupOpen_;
    if (!focused && !underMouse())
        return; // the heading beneath shows the edition's name
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(focused ? kFocused : kPointed, focused ? 1.5 : 1));
    p.setBrush(kTint);
    p.drawRoundedRect(box, 3, 3);
    // A down-pointing mark at the right-hand end, where the bracket leaves room for it.
    const qreal cx = width() - 4 - kArrow / 2.0, cy = height() / 2.0;
    QPainterPath arrow;
    arrow.moveTo(cx - kArrow / 2.0, cy - kArrow / 4.0);
    arrow.lineTo(cx + kArrow / 2.0, cy - kArrow / 4.0);
    arrow.lineTo(cx, cy + kArrow / 4.0);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(focused ? kFocused : kPointed);
    p.drawPath(arrow);
}

// Scrolling the sheet's window past the heading must not change the law by accident.
void LawChooser::wheelEvent(QWheelEvent* e)
{
    if (hasFocus())
        QComboBox::wheelEvent(e);
    else
        e->ignore();
}

void LawChooser::showPopup()
{
    popupOpen_ = true;
    QComboBox::showPopup();
}

void LawChooser::hidePopup()
{
    QComboBox::hidePopup();
    popupOpen_ = false;
    update();
}

} // namespace kz::tax
