#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>

namespace kz::ui {

QPixmap programPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 255, 255));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);

    // Two strokes of wind behind the leaf.
    p.setPen(QPen(QColor(64, 128, 192), 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath wind;
    wind.moveTo(4, 22);
    wind.cubicTo(10, 18, 14, 26, 20, 22);
    wind.moveTo(6, 27);
    wind.cubicTo(12, 24, 16, 30, 24, 27);
    p.drawPath(wind);

    QPainterPath leaf;
    leaf.moveTo(8, 20);
    leaf.cubicTo(8, 8, 18, 4, 27, 4);
    leaf.cubicTo(27, 14, 20, 22, 8, 20);
    p.setPen(QPen(QColor(0, 96, 0), 1));
    p.setBrush(QColor(48, 160, 48));
    p.drawPath(leaf);
    p.setPen(QPen(QColor(200, 240, 180), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10, 18.5), QPointF(24, 7));
    return pm;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 256})
        icon.addPixmap(programPixmap(size));
    return icon;
}

QPixmap printerPixmap()
{
    QPixmap pm(24, 23);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QColor dark(64, 64, 64);
    p.setPen(dark);
    p.setBrush(Qt::white);
    p.drawRect(6, 1, 11, 8);                 // paper going in
    p.setBrush(QColor(192, 192, 192));
    p.drawRect(1, 8, 21, 9);                 // body
    p.setBrush(Qt::white);
    p.drawRect(5, 14, 13, 7);                // paper coming out
    p.drawLine(7, 17, 15, 17);
    p.drawLine(7, 19, 13, 19);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(18, 10, 2, 2);                // power lamp
    return pm;
}

} // namespace kz::ui
