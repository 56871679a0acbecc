// SPDX-License-Identifier: MIT
#include "second/study_chart.h"

#include "core/common/format.h"
#include "core/second/study_model.h"
#include "second/study_texts.h"
#include "ui/app.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace kz::second {
namespace {

// 1, 2 or 5 times a power of ten, at least v / 6 and at least 1 千円: four to seven grid
// lines over the range, each label a whole 千円 of its own.
double niceStep(double v)
{
    const double raw = std::max(v / 6, 1.0);
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double m : {1.0, 2.0, 5.0})
        if (m * unit >= raw)
            return m * unit;
    return 10 * unit;
}

QString grouped(double v) { return kz::ui::qs(formatGrouped(v)); }

} // namespace

StudyChart::StudyChart(const StudyForm& form, QWidget* parent)
    : QWidget(parent)
    , form_(form)
{
    setObjectName(u"StudyChart"_s);
    setAccessibleName(u"税額のグラフ"_s);
    setAccessibleDescription(u"下の表を図にしたもの：配偶者の取得割合ごとの一次相続・二次相続・合計の税額"_s);
    setMinimumSize(420, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

// The grid, the lines and the minimum change only with the curve; a dragged share moves
// only its marker. So they are drawn once into a picture at the screen's pixel ratio
// (sharp at any scale), and each paint puts the picture down and the marker on top.
void StudyChart::paintEvent(QPaintEvent*)
{
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    const Key key{form_.best().kinks, form_.curve(), form_.best().share, pixels,
                  palette().color(QPalette::Base).rgba(), palette().color(QPalette::Text).rgba()};
    if (!(key == key_)) {
        cache_ = QPixmap(pixels);
        cache_.setDevicePixelRatio(dpr);
        cache_.fill(palette().color(QPalette::Base));
        QPainter cp(&cache_);
        paintCurves(cp, rect(), colours(false));
        key_ = key;
    }
    // The minimum last: the chosen share's rule and dots never hide its marker or label.
    QPainter p(this);
    p.drawPixmap(0, 0, cache_);
    paintChosen(p, rect(), colours(false));
    paintMinimum(p, rect(), colours(false));
}

void StudyChart::paintChart(QPainter& p, const QRectF& area, bool paper) const
{
    const Colours c = colours(paper);
    paintCurves(p, area, c);
    paintChosen(p, area, c);
    paintMinimum(p, area, c);
}

QStringList StudyChart::axisLabels() const
{
    const Frame f = frame(rect(), QFontMetricsF(font()));
    QStringList labels;
    for (double v = 0; v <= f.yMax + f.step / 2; v += f.step)
        labels << grouped(v);
    return labels;
}

StudyChart::Frame StudyChart::frame(const QRectF& area, const QFontMetricsF& fm) const
{
    double top = 0;
    for (const Figures& f : form_.curve())
        top = std::max({top, f.firstPayable, f.secondPayable, f.total});
    Frame f;
    f.line = fm.height();
    f.step = niceStep(top);
    f.yMax = std::max(5 * f.step, std::ceil(top / f.step) * f.step); // an empty study still shows a scale
    const double left = area.left() + fm.horizontalAdvance(grouped(f.yMax)) + f.line * 0.8;
    f.plot = QRectF(left, area.top() + f.line * 2.6, area.right() - left - f.line, area.height() - f.line * 5.2);
    f.estate = form_.input().estate - form_.input().legatee; // the range of the spouse's share
    return f;
}

StudyChart::Colours StudyChart::colours(bool paper) const
{
    const QColor text = paper ? QColor(Qt::black) : palette().color(QPalette::Text);
    const bool dark = !paper && palette().color(QPalette::Base).lightness() < 128;
    QColor grid = text;
    grid.setAlpha(60);
    QColor total = text;
    total.setAlpha(90);
    return {text, grid, dark ? QColor(110, 170, 255) : QColor(0, 80, 200), dark ? QColor(255, 160, 80) : QColor(200, 70, 0),
            dark ? QColor(120, 230, 120) : QColor(0, 140, 60), paper ? QColor(Qt::white) : palette().color(QPalette::Base),
            total};
}

namespace {
struct Series { QColor StudyChart::Colours::*colour; Qt::PenStyle style; double width; double Figures::*value; const char16_t* name; };
// The total is a wide pale band drawn first, the two inheritances narrow lines over it: where
// the total equals one of them (no second tax left of the minimum) both stay in sight.
constexpr Series kSeries[] = {
    {&StudyChart::Colours::first, Qt::SolidLine, 2, &Figures::firstPayable, u"一次相続"},
    {&StudyChart::Colours::second, Qt::DashLine, 2, &Figures::secondPayable, u"二次相続"},
    {&StudyChart::Colours::total, Qt::SolidLine, 7, &Figures::total, u"合計"},
};
} // namespace

void StudyChart::paintCurves(QPainter& p, const QRectF& area, const Colours& c) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QFontMetricsF fm(font(), p.device());
    const Frame f = frame(area, fm);
    const double line = f.line;

    // Grid, ticks and axis titles.
    p.setPen(QPen(c.grid, 1));
    for (double v = 0; v <= f.yMax + f.step / 2; v += f.step)
        p.drawLine(QPointF(f.plot.left(), f.y(v)), QPointF(f.plot.right(), f.y(v)));
    for (int pc = 0; pc <= 100; pc += 10)
        p.drawLine(QPointF(f.x(pc), f.plot.top()), QPointF(f.x(pc), f.plot.bottom()));
    p.setPen(c.text);
    for (double v = 0; v <= f.yMax + f.step / 2; v += f.step)
        p.drawText(QRectF(area.left(), f.y(v) - line / 2, f.plot.left() - area.left() - line * 0.3, line),
                   Qt::AlignRight | Qt::AlignVCenter, grouped(v));
    for (int pc = 0; pc <= 100; pc += 10)
        p.drawText(QRectF(f.x(pc) - line * 2, f.plot.bottom() + line * 0.2, line * 4, line), Qt::AlignCenter,
                   QString::number(pc));
    p.drawText(QRectF(f.plot.left(), f.plot.bottom() + line * 1.3, f.plot.width(), line), Qt::AlignCenter,
               u"配偶者の取得割合（％）"_s);
    p.drawText(QRectF(area.left(), area.top() + line * 1.3, f.plot.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               u"税額（千円）"_s);
    p.drawRect(f.plot);

    // The three lines: straight between kinks, so these points draw the exact curves.
    const std::vector<std::int32_t>& kinks = form_.best().kinks;
    const std::vector<Figures>& curve = form_.curve();
    double legendX = f.plot.right();
    for (auto it = std::rbegin(kSeries); it != std::rend(kSeries); ++it) {
        QPolygonF points;
        for (std::size_t i = 0; i < kinks.size() && i < curve.size(); ++i)
            points << QPointF(f.x(f.percentOf(kinks[i])), f.y(curve[i].*(it->value)));
        p.setPen(QPen(c.*(it->colour), it->width, it->style, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(points);
        // Legend, right to left along the top.
        const QString name = QString::fromUtf16(it->name);
        legendX -= fm.horizontalAdvance(name) + line * 2.6;
        const double ly = area.top() + line * 0.6;
        p.drawLine(QPointF(legendX, ly), QPointF(legendX + line * 1.6, ly));
        p.setPen(c.text);
        p.drawText(QPointF(legendX + line * 2, ly + fm.ascent() / 2 - fm.descent() / 2), name);
    }

    p.restore();
}

// The minimum: a filled diamond and its label, kept inside the plot; a tie names its stretch.
void StudyChart::paintMinimum(QPainter& p, const QRectF& area, const Colours& c) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QFontMetricsF fm(font(), p.device());
    const Frame f = frame(area, fm);
    const double line = f.line;
    const Optimum& best = form_.best();
    const QPointF m(f.x(f.percentOf(best.share)), f.y(best.total));
    const double r = line * 0.35;
    p.setPen(QPen(c.text, 1));
    p.setBrush(c.minimum);
    p.drawPolygon(QPolygonF{{m.x(), m.y() - r}, {m.x() + r, m.y()}, {m.x(), m.y() + r}, {m.x() - r, m.y()}});
    const QString label = minimumShares(best, f.estate) + u"　"_s + grouped(static_cast<double>(shown(best.total))) + u"千円"_s;
    const double w = fm.horizontalAdvance(label) + line * 0.6;
    QRectF box(m.x() - w / 2, m.y() + r + line * 0.3, w, line * 1.2);
    if (box.bottom() > f.plot.bottom())
        box.moveBottom(m.y() - r - line * 0.3);
    // A label wider than the plot starts at its left edge rather than leave an empty range.
    box.moveLeft(std::clamp(box.left(), f.plot.left() + 2, std::max(f.plot.left() + 2, f.plot.right() - w - 2)));
    QColor plate = c.base;
    plate.setAlpha(220);
    p.setPen(QPen(c.grid, 1));
    p.setBrush(plate);
    p.drawRect(box);
    p.setPen(c.text);
    p.drawText(box, Qt::AlignCenter, label);
    p.restore();
}

// The chosen share: a dotted rule and a dot on each line.
void StudyChart::paintChosen(QPainter& p, const QRectF& area, const Colours& c) const
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const Frame f = frame(area, QFontMetricsF(font(), p.device()));
    const Figures& chosen = form_.figures();
    const double cx = f.x(f.percentOf(form_.input().spouseShare));
    p.setPen(QPen(c.text, 1, Qt::DotLine));
    p.drawLine(QPointF(cx, f.plot.top()), QPointF(cx, f.plot.bottom()));
    for (const Series& s : kSeries) {
        p.setPen(QPen(c.*(s.colour), 1.5));
        p.setBrush(c.base);
        p.drawEllipse(QPointF(cx, f.y(chosen.*(s.value))), f.line * 0.25, f.line * 0.25);
    }
    p.restore();
}

} // namespace kz::second
