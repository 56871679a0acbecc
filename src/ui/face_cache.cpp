// SPDX-License-Identifier: MIT
#include "ui/face_cache.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDataStream>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainter>
#include <QStyleOption>
#include <QWidget>

#include <cmath>

namespace kz::ui {

bool FaceCache::draw(QStyle::PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget,
                     const Paint& paint) const
{
    if ((element != QStyle::PE_PanelLineEdit && element != QStyle::PE_PanelButtonCommand) || option->rect.isEmpty()
        || painter->paintEngine()->type() != QPaintEngine::Raster
        || painter->worldTransform().type() > QTransform::TxTranslate)
        return false;
    // A field inside a spin box or combo box is drawn by its owner.
    if (element == QStyle::PE_PanelLineEdit && widget && widget->parentWidget()
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
            paint(&moved, &p);
        } else if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option)) {
            QStyleOptionButton moved = *button;
            moved.rect.translate(-at);
            paint(&moved, &p);
        } else {
            return false;
        }
        p.end();
        it = faces_.insert(key, face);
    }
    painter->drawPixmap(option->rect.topLeft(), *it);
    return true;
}

} // namespace kz::ui
