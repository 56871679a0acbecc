// SPDX-License-Identifier: MIT
#include "ui/icons.h"

#include <QImageReader>

using namespace Qt::StringLiterals;

namespace kz::ui {

// The SVG is rendered at build time at the sizes the windows show: Qt Svg, loaded to draw it at
// start-up, cost every start its loading and 0.4 MB. Another size is scaled from the next larger
// one, or the largest.
QPixmap programPixmap(int size)
{
    for (int rendered : {16, 24, 32, 48}) {
        const QString name = u":/icons/kazenoha-%1.png"_s.arg(rendered);
        if (rendered >= size || rendered == 48) {
            // Read as PNG without guessing: a guess loads every image plugin (JPEG, GIF, SVG …).
            QImageReader reader(name, "png");
            reader.setAutoDetectImageFormat(false);
            const QPixmap pm = QPixmap::fromImage(reader.read());
            return rendered == size ? pm : pm.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
    }
    return {};
}

} // namespace kz::ui
