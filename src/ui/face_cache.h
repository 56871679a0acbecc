// SPDX-License-Identifier: MIT
#pragma once
// The faces of fields and buttons drawn once for each look. The style draws every face with
// antialiased curves at each paint, and keys its own images of a face by palette objects,
// which are new with every window: a window opened again drew each face anew (a tenth of the
// tax sheet's opening). A face is drawn here once for each look (kind, size, state, colours)
// and copied after. Only onto pixels without scaling: a page recorded for the printer keeps
// its vectors.
#include <QByteArray>
#include <QHash>
#include <QPixmap>
#include <QStyle>

#include <functional>

class QPainter;
class QStyleOption;
class QWidget;

namespace kz::ui {

class FaceCache {
public:
    // The style's own drawing of the face, into a painter, at the option's place.
    using Paint = std::function<void(const QStyleOption*, QPainter*)>;

    // Draws a field's or a button's face from the cache, made by `paint` the first time;
    // false, drawing nothing, for any other element or where a copy would not match.
    bool draw(QStyle::PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget,
              const Paint& paint) const;

private:
    static constexpr qsizetype kMaxFaces = 256; // a few hundred kB at most
    mutable QHash<QByteArray, QPixmap> faces_;
};

} // namespace kz::ui
