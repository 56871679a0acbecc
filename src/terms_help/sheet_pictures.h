#pragma once
// The two pictures of the first page, rendered from a real calculation sheet built
// offscreen, so that they always show the sheet as the program draws it.
#include "tax_sheet/fields.h"
#include "terms_help/page_items.h"

#include <QPainterPath>
#include <QPixmap>
#include <QRect>

#include <utility>
#include <vector>

namespace kz::terms {

struct RenderedSheetPicture {
    QPixmap pixmap;
    std::vector<QPainterPath> rings; // each ring drawn, in picture pixels
    std::vector<QRect> ringed;       // the input places each ring goes round, same order
    std::vector<std::pair<tax::Field, QRect>> fields; // where each input field of the sheet shows
};

RenderedSheetPicture renderSheetPicture(SheetPicture which, QSize size);

// The window's PictureSource.
QPixmap sheetPicture(SheetPicture which, QSize size);

} // namespace kz::terms
