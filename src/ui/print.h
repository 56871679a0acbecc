#pragma once
#include "common/geometry.h"

#include <QImage>

#include <functional>

class QWidget;

namespace kz::ui {

class ClickLabel;

enum class PageOrientation { Landscape, AsPrinterIs };

// Where a window image goes once the user agreed. The default sends it to the default
// printer; tests replace it to capture the image.
using PrintSink = std::function<void(const QImage& image, PageOrientation orientation)>;
void setPrintSink(PrintSink sink); // an empty sink restores the printer

// Asks "画面印刷をします。よろしいですか？"; on Yes hides `icon`, prints the image of
// `window` and shows the icon again whatever happened. Returns whether it printed.
bool confirmAndPrint(QWidget* window, QWidget* icon, PageOrientation orientation);

// The printer icon of a window, 390 x 375 twips at (left, top). A click takes the focus
// as a button's does, so the field being edited is left, and its amount committed,
// before the window is printed.
ClickLabel* makePrintIcon(Twips left, Twips top, QWidget* parent);

// The default sink: the whole image on one page of the default printer, scaled to fit
// within the margins. Without a default printer it prints nothing; returns whether a page went out.
bool printImage(const QImage& image, PageOrientation orientation, const QString& docName);

} // namespace kz::ui
