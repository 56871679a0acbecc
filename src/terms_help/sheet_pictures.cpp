// SPDX-License-Identifier: MIT
#include "terms_help/sheet_pictures.h"

#include "core/tax_sheet/fields.h"
#include "core/tax_sheet/sheet.h"
#include "tax_sheet/sheet_page.h"
#include "ui/entry_field.h"
#include "ui/heap_trim.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace kz::terms {

using tax::Field;

namespace {

const QColor kRing(255, 0, 0);
constexpr qreal kRingPen = 2;
constexpr qreal kRingPad = 4; // between a ring and the frame it goes round, above and below
constexpr int kMargin = 2;    // around each part taken from the sheet

// The sheet's heavy frame round an input place lies just outside its fields.
QRect withInputFrame(const tax::SheetPage& page, QRect fields)
{
    QRect out = fields;
    for (const QFrame* f : page.findChildren<QFrame*>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<const QLabel*>(f) && f->geometry().contains(fields)
            && f->geometry().width() <= fields.width() + 12 && f->geometry().height() <= fields.height() + 12)
            out |= f->geometry();
    return out;
}

QRect fieldsRect(const tax::SheetPage& page, std::initializer_list<Field> fields)
{
    QRect r;
    for (Field f : fields)
        r |= page.field(f)->geometry();
    return r;
}

int distance(QRect a, QRect b)
{
    const int dx = std::max({0, a.left() - b.right(), b.left() - a.right()});
    const int dy = std::max({0, a.top() - b.bottom(), b.top() - a.bottom()});
    return dx + dy;
}

// The caption nearest to `near` whose text, blanks trimmed, is `text`.
QRect caption(const tax::SheetPage& page, const QString& text, QRect near)
{
    QRect best;
    int bestDistance = std::numeric_limits<int>::max();
    for (const QLabel* l : page.findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (l->text().trimmed() == text && distance(l->geometry(), near) < bestDistance) {
            best = l->geometry();
            bestDistance = distance(best, near);
        }
    return best;
}

// A ring round `target`: an ellipse through the corners of the padded target where the
// picture has room for one, otherwise a rounded box, which needs less room at the ends.
QPainterPath ringAround(QRectF target, QRectF bounds, qreal pad = kRingPad)
{
    const QRectF padded = target.adjusted(-2, -2, 2, 2);
    const qreal halfW = padded.width() / 2, halfH = padded.height() / 2;
    const qreal b = halfH + pad;
    const qreal a = halfW / std::sqrt(1 - (halfH / b) * (halfH / b));
    const QPointF c = padded.center();
    const QRectF ellipse(c.x() - a, c.y() - b, 2 * a, 2 * b);
    const QRectF inside = bounds.adjusted(kRingPen, kRingPen, -kRingPen, -kRingPen);
    QPainterPath path;
    if (inside.contains(ellipse)) {
        path.addEllipse(ellipse);
    } else {
        // The target's corners stay inside a rounded corner of radius r up to r = 3.4 × pad.
        const QRectF box = target.adjusted(-pad, -pad, pad, pad) & inside;
        const qreal r = std::min({box.width() / 2, box.height() / 2, 3.4 * pad});
        path.addRoundedRect(box, r, r);
    }
    return path;
}

// A rectangle in `bounds` coordinates that covers `target` and its ring.
QRect withRing(QRect target)
{
    return ringAround(QRectF(target), QRectF(-10000, -10000, 20000, 20000)).boundingRect().toAlignedRect();
}

class Canvas {
public:
    explicit Canvas(QSize size)
    {
        const qreal dpr = qApp->devicePixelRatio();
        picture_.pixmap = QPixmap(size * dpr);
        picture_.pixmap.setDevicePixelRatio(dpr);
        picture_.pixmap.fill(Qt::white);
    }

    // The page as it shows within `region`, at `at`.
    void crop(tax::SheetPage& page, QRect region, QPoint at)
    {
        QPainter p(&picture_.pixmap);
        page.render(&p, at, QRegion(region));
    }

    // Only the controls that lie wholly within `region`, so that no sliver of a neighbour
    // shows at the edge; the page's white stays behind them.
    void part(tax::SheetPage& page, QRect region, QPoint at)
    {
        QPainter p(&picture_.pixmap);
        for (QWidget* w : page.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden() && region.contains(w->geometry()))
                w->render(&p, at + w->pos() - region.topLeft(), QRegion(), QWidget::DrawChildren);
    }

    void ring(QRect ringed, qreal pad = kRingPad)
    {
        picture_.rings.push_back(ringAround(QRectF(ringed), QRectF(QPointF(0, 0), size()), pad));
        picture_.ringed.push_back(ringed);
    }

    void showsField(const tax::SheetPage& page, Field f, QPoint offset)
    {
        picture_.fields.emplace_back(f, page.field(f)->geometry().translated(offset));
    }

    QSizeF size() const { return picture_.pixmap.deviceIndependentSize(); }

    RenderedSheetPicture finish()
    {
        QPainter p(&picture_.pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kRing, kRingPen));
        p.setBrush(Qt::NoBrush);
        for (const QPainterPath& ring : picture_.rings)
            p.drawPath(ring);
        p.end();
        return std::move(picture_);
    }

private:
    RenderedSheetPicture picture_;
};

// The top-left of the sheet: the amount rows with the spouse's column, its first field
// selected as when the sheet opens.
RenderedSheetPicture upper(tax::SheetPage& page, QSize size)
{
    page.enterField(tax::amountField(1, 0));
    const QRect column = withInputFrame(page, fieldsRect(page, {tax::amountField(1, 0), tax::amountField(1, 5)}));
    // The column is its heading and its six fields; the picture is about as high as that.
    const QRect ringed = column | caption(page, u"配偶者"_s, column);
    Canvas canvas(size);
    const QRect region(QPoint(0, ringed.top() - 5), size);
    canvas.crop(page, region, QPoint(0, 0));
    canvas.ring(ringed.translated(-region.topLeft()), 3);
    for (int row = 0; row < tax::kAmountRows; ++row)
        canvas.showsField(page, tax::amountField(1, row), -region.topLeft());
    return canvas.finish();
}

// The heir count with the spouse's share under it, and the three years fields, filled in
// as in the example beside the picture: a spouse and two children, one of whom renounced.
RenderedSheetPicture lower(tax::SheetPage& page, QSize size)
{
    const QRect count = withInputFrame(page, fieldsRect(page, {tax::heirCountField()}));
    const QRect share =
        withInputFrame(page, fieldsRect(page, {tax::numeratorField(0), tax::denominatorField(0)}));
    const QRect years = withInputFrame(page, fieldsRect(page, {tax::yearsField(2), tax::yearsField(4)}));

    QRect upperPart = count | caption(page, u"法定相続人数"_s, count) | caption(page, u"人"_s, count) | share
                      | caption(page, u"法定相続分"_s, share) | caption(page, u"配偶者"_s, share);
    QRect yearsPart = years;
    for (int person = 2; person <= 4; ++person)
        yearsPart |= caption(page, u"年"_s, page.field(tax::yearsField(person))->geometry());
    upperPart.adjust(-kMargin, -kMargin, kMargin, kMargin);
    yearsPart.adjust(-kMargin, -kMargin, kMargin, kMargin);

    // One above the other, each with its rings, the years under the share fields.
    const QRect upperExtent = upperPart | withRing(count) | withRing(share);
    const QRect yearsExtent = yearsPart | withRing(years);
    // Offsets from the page to the picture.
    const QPoint upperAt(-upperPart.left(), 1 - upperExtent.top());
    const QPoint yearsAt(share.center().x() + upperAt.x() - years.center().x(),
                         upperExtent.bottom() + upperAt.y() + 3 - yearsExtent.top());

    Canvas canvas(size);
    canvas.part(page, upperPart, upperPart.topLeft() + upperAt);
    canvas.part(page, yearsPart, yearsPart.topLeft() + yearsAt);
    canvas.ring(count.translated(upperAt));
    canvas.ring(share.translated(upperAt));
    canvas.ring(years.translated(yearsAt));
    for (Field f : {tax::heirCountField(), tax::numeratorField(0), tax::denominatorField(0)})
        canvas.showsField(page, f, upperAt);
    for (int person = 2; person <= 4; ++person)
        canvas.showsField(page, tax::yearsField(person), yearsAt);
    return canvas.finish();
}

} // namespace

RenderedSheetPicture renderSheetPicture(SheetPicture which, QSize size, const tax::LawEdition& law)
{
    tax::TaxSheet sheet;
    sheet.setLaw(law);
    if (which == SheetPicture::Lower) {
        sheet.setText(tax::heirCountField(), "3");
        sheet.setText(tax::numeratorField(0), "1");
        sheet.setText(tax::denominatorField(0), "2");
    }
    tax::SheetPage page(sheet);
    page.ensurePolished();
    return which == SheetPicture::Upper ? upper(page, size) : lower(page, size);
}

namespace {

// Everything a picture depends on. Rendering one builds two whole sheets, most of the
// window's opening time, so each is made once per process.
struct PictureKey {
    SheetPicture which;
    QSize size;
    qreal devicePixelRatio;
    const tax::LawEdition* law; // editions are fixed objects: one address, one law
    friend bool operator==(const PictureKey&, const PictureKey&) = default;
};

std::vector<std::pair<PictureKey, QPixmap>>& pictureCache()
{
    static std::vector<std::pair<PictureKey, QPixmap>> cache;
    return cache;
}

} // namespace

QPixmap sheetPicture(SheetPicture which, QSize size, const tax::LawEdition& law)
{
    const PictureKey key{which, size, qApp->devicePixelRatio(), &law};
    auto& cache = pictureCache();
    for (const auto& [k, pixmap] : cache)
        if (k == key)
            return pixmap;
    if (cache.empty()) {
        // Pixmaps must go before the application that made them.
        qAddPostRoutine([] { pictureCache().clear(); });
    }
    const QPixmap& made = cache.emplace_back(key, renderSheetPicture(which, size, law).pixmap).second;
    // The sheet built to draw it is gone, but the C library keeps its pages (0.3 MB) in the
    // middle of the heap, where the window's later allocations would scatter over them.
    kz::ui::trimHeap();
    return made;
}

} // namespace kz::terms
