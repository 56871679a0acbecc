// SPDX-License-Identifier: MIT
#include "ui/icons.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kz::ui {

// The Windows build has no Qt Svg: the SVG is rendered at build time at these sizes, and
// another size is scaled down from the next larger one.
QPixmap programPixmap(int size)
{
    for (int rendered : {16, 24, 32, 48, 64, 128, 256}) {
        const QString name = u":/icons/kazenoha-%1.png"_s.arg(rendered);
        if (rendered >= size || rendered == 256) {
            const QPixmap pm(name);
            return rendered == size ? pm : pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    return {};
}

} // namespace kz::ui
