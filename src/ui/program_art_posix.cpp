// SPDX-License-Identifier: MIT
#include "ui/icons.h"

#include <QPainter>
#include <QSvgRenderer>

using namespace Qt::StringLiterals;

namespace kz::ui {

QPixmap programPixmap(int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    QSvgRenderer(u":/icons/kazenoha.svg"_s).render(&p);
    return pm;
}

} // namespace kz::ui
