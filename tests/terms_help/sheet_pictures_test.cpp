// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "core/tax_sheet/sheet.h"
#include "tax_sheet/sheet_page.h"
#include "terms_help/form_szkaisetu.h"
#include "terms_help/sheet_pictures.h"
#include "terms_help/tab_dialog.h"
#include "ui/entry_field.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPainterPathStroker>
#include <QSet>

using namespace Qt::StringLiterals;
using kz::terms::RenderedSheetPicture;
using kz::terms::SheetPicture;
using kz::tax::Field;

namespace {

bool isRingRed(QRgb c) { return qRed(c) >= 200 && qGreen(c) <= 90 && qBlue(c) <= 90; }

// Pixels under a ring's stroke, with a pixel to spare for antialiasing.
QPainterPath underRings(const RenderedSheetPicture& p)
{
    QPainterPathStroker stroker;
    stroker.setWidth(5);
    QPainterPath all;
    for (const QPainterPath& ring : p.rings)
        all |= stroker.createStroke(ring);
    return all;
}

} // namespace

Q_DECLARE_METATYPE(SheetPicture)

class SheetPicturesTest : public QObject {
    Q_OBJECT

    static QSize pictureSize(SheetPicture which)
    {
        return which == SheetPicture::Upper ? kz::ui::twipsSize(4065, 1935) : kz::ui::twipsSize(4065, 2535);
    }

private slots:
    void rendered_data()
    {
        QTest::addColumn<SheetPicture>("which");
        QTest::addColumn<int>("rings");
        QTest::addColumn<int>("law"); // the law edition of the sheet pictured
        QTest::newRow("upper") << SheetPicture::Upper << 1 << 0;
        QTest::newRow("lower") << SheetPicture::Lower << 3 << 0;
        QTest::newRow("upper under 令和6") << SheetPicture::Upper << 1 << 1;
        QTest::newRow("lower under 令和6") << SheetPicture::Lower << 3 << 1;
    }

    // Not blank: the sheet's white, its black text and frames, and the rings all show.
    void rendered()
    {
        QFETCH(SheetPicture, which);
        QFETCH(int, rings);
        QFETCH(int, law);
        const RenderedSheetPicture p =
            kz::terms::renderSheetPicture(which, pictureSize(which), kz::tax::lawEditions()[std::size_t(law)]);
        const QImage image = p.pixmap.toImage();
        QCOMPARE(p.pixmap.deviceIndependentSize().toSize(), pictureSize(which));
        QCOMPARE(int(p.rings.size()), rings);
        QCOMPARE(int(p.ringed.size()), rings);
        int dark = 0, white = 0;
        QSet<QRgb> colours;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                colours.insert(c);
                dark += qGray(c) < 80;
                white += c == qRgb(255, 255, 255);
            }
        QVERIFY2(dark > 300, qPrintable(QString::number(dark)));
        QVERIFY(white > image.width() * image.height() / 3);
        QVERIFY(colours.size() > 20);
    }

    // Each ring goes round its input place, stays inside the picture and shows in red.
    void ringsGoRoundTheirPlaces_data() { rendered_data(); }

    void ringsGoRoundTheirPlaces()
    {
        QFETCH(SheetPicture, which);
        QFETCH(int, law);
        const RenderedSheetPicture p =
            kz::terms::renderSheetPicture(which, pictureSize(which), kz::tax::lawEditions()[std::size_t(law)]);
        const QImage image = p.pixmap.toImage();
        const QRectF bounds(QPointF(0, 0), p.pixmap.deviceIndependentSize());
        for (std::size_t i = 0; i < p.rings.size(); ++i) {
            const QPainterPath& ring = p.rings[i];
            QVERIFY(bounds.contains(ring.boundingRect()));
            QVERIFY(ring.contains(QRectF(p.ringed[i])));
            int red = 0;
            const int samples = 48;
            for (int k = 0; k < samples; ++k) {
                const QPoint at = ring.pointAtPercent(qreal(k) / samples).toPoint();
                bool hit = false;
                for (int dy = -1; dy <= 1 && !hit; ++dy)
                    for (int dx = -1; dx <= 1 && !hit; ++dx)
                        hit = isRingRed(image.pixel(at + QPoint(dx, dy)));
                red += hit;
            }
            QCOMPARE(red, samples);
        }
        // Every input field shown lies inside one ring.
        for (const auto& [field, rect] : p.fields) {
            bool inside = false;
            for (const QPainterPath& ring : p.rings)
                inside = inside || ring.contains(QRectF(rect));
            QVERIFY2(inside, qPrintable(QString::fromStdString(kz::tax::fieldName(field))));
        }
        // Rings do not cross one another.
        for (std::size_t i = 0; i < p.rings.size(); ++i)
            for (std::size_t j = i + 1; j < p.rings.size(); ++j)
                QVERIFY(!p.rings[i].boundingRect().intersects(p.rings[j].boundingRect()));
    }

    // The fields in the pictures are the sheet's own, drawn as the sheet draws them: the
    // spouse's first field with its "0" selected, and the example's heir count and share.
    void fieldsAreTheSheets_data()
    {
        QTest::addColumn<SheetPicture>("which");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("upper")
            << SheetPicture::Upper
            << QStringList{u"Num1(0)"_s, u"Num1(1)"_s, u"Num1(2)"_s, u"Num1(3)"_s, u"Num1(4)"_s, u"Num1(5)"_s};
        QTest::newRow("lower") << SheetPicture::Lower
                               << QStringList{u"Num6"_s,    u"Num7(0)"_s, u"Num8(0)"_s,
                                              u"Num7(5)"_s, u"Num7(6)"_s, u"Num7(7)"_s};
    }

    void fieldsAreTheSheets()
    {
        QFETCH(SheetPicture, which);
        QFETCH(QStringList, fields);
        const RenderedSheetPicture p = kz::terms::renderSheetPicture(which, pictureSize(which));
        const QImage image = p.pixmap.toImage();
        const QPainterPath rings = underRings(p);

        kz::tax::TaxSheet sheet;
        if (which == SheetPicture::Lower) {
            // The example beside the picture: spouse and two children, one renounced.
            sheet.setText(kz::tax::heirCountField(), "3");
            sheet.setText(kz::tax::numeratorField(0), "1");
            sheet.setText(kz::tax::denominatorField(0), "2");
        }
        kz::tax::SheetPage page(sheet);
        if (which == SheetPicture::Upper)
            page.enterField(kz::tax::amountField(1, 0));

        QStringList shown;
        for (const auto& [field, rect] : p.fields) {
            // The sheet's rows are closer than its fields are high: a neighbour covers an edge.
            QRegion own(rect);
            for (const auto& other : p.fields)
                if (other.first != field)
                    own -= other.second;
            shown << QString::fromStdString(kz::tax::fieldName(field));
            kz::ui::EntryField* e = page.field(field);
            QCOMPARE(rect.size(), e->size());
            const QImage expected = e->grab().toImage().convertToFormat(image.format());
            int compared = 0, equal = 0;
            for (int y = 0; y < rect.height(); ++y)
                for (int x = 0; x < rect.width(); ++x) {
                    const QPoint at = rect.topLeft() + QPoint(x, y);
                    if (!image.rect().contains(at) || !own.contains(at)
                        || rings.contains(QPointF(at) + QPointF(0.5, 0.5)))
                        continue;
                    ++compared;
                    equal += image.pixel(at) == expected.pixel(x, y);
                }
            QVERIFY(compared > rect.width() * rect.height() / 2);
            QVERIFY2(equal == compared, qPrintable(shown.last()));
        }
        QCOMPARE(shown, fields);

        if (which == SheetPicture::Upper) {
            // The selection shows in the first field's picture.
            const QRect first = p.fields.front().second;
            const QColor highlight = page.field(kz::tax::amountField(1, 0))->palette().color(QPalette::Highlight);
            int selected = 0;
            for (int y = first.top(); y <= first.bottom(); ++y)
                for (int x = first.left(); x <= first.right(); ++x)
                    selected += image.pixelColor(x, y) == highlight;
            QVERIFY2(selected > 20, qPrintable(QString::number(selected)));
        }
    }

    // The window shows both pictures at their places and sizes on its first page, at every
    // opening exactly as a fresh rendering draws them, though they are made only once.
    void windowShowsThePictures_data()
    {
        QTest::addColumn<int>("opening");
        QTest::newRow("first opening") << 1;
        QTest::newRow("later opening") << 2;
    }
    void windowShowsThePictures()
    {
        QFETCH(int, opening);
        const struct {
            SheetPicture which;
            QPoint at;
            QSize size;
        } expected[] = {
            {SheetPicture::Upper, QPoint(kz::twipsToPx(360), kz::twipsToPx(1560)), pictureSize(SheetPicture::Upper)},
            {SheetPicture::Lower, QPoint(kz::twipsToPx(360), kz::twipsToPx(3600)), pictureSize(SheetPicture::Lower)},
        };
        QList<qint64> shown[2]; // each opening's pixmaps by identity: a new rendering is a new pixmap
        for (int n = 0; n < opening; ++n) {
            kz::terms::FormSZkaisetu w;
            for (const auto& e : expected) {
                const QLabel* picture = nullptr;
                for (const QLabel* l : w.SSTab1->page(0)->findChildren<QLabel*>())
                    if (l->text().isEmpty() && l->geometry().topLeft() == e.at)
                        picture = l;
                QVERIFY(picture);
                QCOMPARE(picture->size(), e.size);
                QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), e.size);
                QVERIFY(!picture->pixmap().toImage().allGray());
                QCOMPARE(picture->pixmap().toImage(), kz::terms::renderSheetPicture(e.which, e.size).pixmap.toImage());
                shown[n] << picture->pixmap().cacheKey();
            }
        }
        if (opening == 2)
            QCOMPARE(shown[1], shown[0]);
    }
};

KZ_QTEST_MAIN(SheetPicturesTest)
#include "sheet_pictures_test.moc"
