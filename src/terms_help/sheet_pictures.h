// SPDX-License-Identifier: MIT
#pragma once
// The two pictures of the first page, rendered from a real calculation sheet built
// offscreen, so that they always show the sheet as the program draws it.
#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/law.h"
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

// A picture of the sheet as it shows under `law`.
RenderedSheetPicture renderSheetPicture(SheetPicture which, QSize size, const tax::LawEdition& law = tax::statedLaw());

// What the window's PictureSource shows.
QPixmap sheetPicture(SheetPicture which, QSize size, const tax::LawEdition& law);

} // namespace kz::terms
