// SPDX-License-Identifier: MIT
#include "tax_sheet/law_chooser.h"

#include "ui/focus_frame.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

namespace kz::tax {

namespace {
// Fixed colours on the sheet's fixed white, whatever the desktop's palette.
const QColor kPointed(128, 128, 128);
const QColor kFocused = QColor::fromRgb(kz::ui::kFocusColour);
const QColor kTint(0, 0, 128, 24);
constexpr int kArrow = 9; // the width of the drop-down mark
} // namespace

LawChooser::LawChooser(QWidget* parent)
    : QComboBox(parent)
{
    setAttribute(Qt::WA_Hover);
    setCursor(Qt::PointingHandCursor);
    // A combo box takes the focus by the wheel too, and would then turn with it.
    setFocusPolicy(Qt::StrongFocus);
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
    if (focused) {
        p.fillRect(rect(), kTint);
        kz::ui::paintFocusFrame(p, rect());
    } else {
        p.setPen(QPen(kPointed, 1));
        p.setBrush(kTint);
        p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    }
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

// The wheel belongs to whatever scrolls around the sheet.
void LawChooser::wheelEvent(QWheelEvent* e) { e->ignore(); }

void LawChooser::keyPressEvent(QKeyEvent* e)
{
    const int key = e->key();
    const bool alt = e->modifiers() & Qt::AltModifier;
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_F4
        || (key == Qt::Key_Down && alt)) {
        showPopup();
        return;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return;
    default:
        break;
    }
    // Typed letters would choose the first edition that starts with them.
    if (!e->text().isEmpty() && e->text().front().isPrint())
        return;
    QComboBox::keyPressEvent(e);
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
