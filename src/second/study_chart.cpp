// SPDX-License-Identifier: MIT
#include "second/study_chart.h"

#include "common/format.h"
#include "second/study_form.h"
#include "ui/app.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

using namespace Qt::StringLiterals;

namespace kz::second {
namespace {

// 1, 2 or 5 times a power of ten, at least v / 5: four or five grid lines over the range.
double niceStep(double v)
{
    const double raw = std::max(v / 5, 1e-9);
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
    , m_form(form)
{
    setObjectName(u"StudyChart"_s);
    setAccessibleName(u"税額のグラフ"_s);
    setAccessibleDescription(u"下の表を図にしたもの：配偶者の取得割合ごとの一次相続・二次相続・合計の税額"_s);
    setMinimumSize(420, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StudyChart::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    paintChart(p, rect());
}

void StudyChart::paintChart(QPainter& p, const QRectF& area) const
{
    const QColor text = palette().color(QPalette::Text);
    const bool dark = palette().color(QPalette::Base).lightness() < 128;
    const QColor firstColour = dark ? QColor(110, 170, 255) : QColor(0, 80, 200);
    const QColor secondColour = dark ? QColor(255, 160, 80) : QColor(200, 70, 0);
    QColor grid = text;
    grid.setAlpha(60);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font());
    const QFontMetricsF fm(font(), p.device());
    const double line = fm.height();

    const std::vector<std::int32_t>& kinks = m_form.best().kinks;
    const std::vector<Figures>& curve = m_form.curve();
    double top = 0;
    for (const Figures& f : curve)
        top = std::max({top, f.firstPayable, f.secondPayable, f.total});
    const double topMan = std::max(top / 10, 1.0); // 万円
    const double step = niceStep(topMan);
    const double yMax = std::ceil(topMan / step) * step;

    const double left = area.left() + fm.horizontalAdvance(grouped(yMax)) + line * 0.8;
    const QRectF plot(left, area.top() + line * 2.6, area.right() - left - line, area.height() - line * 5.2);
    const auto x = [&](double percent) { return plot.left() + plot.width() * percent / 100; };
    const auto y = [&](double sen) { return plot.bottom() - plot.height() * (sen / 10) / yMax; };
    const std::int32_t estate = m_form.input().estate;
    const auto percentOf = [&](std::int32_t s) { return estate > 0 ? 100.0 * s / estate : 0.0; };

    // Grid, ticks and axis titles.
    p.setPen(QPen(grid, 1));
    for (double v = 0; v <= yMax + step / 2; v += step)
        p.drawLine(QPointF(plot.left(), y(v * 10)), QPointF(plot.right(), y(v * 10)));
    for (int pc = 0; pc <= 100; pc += 10)
        p.drawLine(QPointF(x(pc), plot.top()), QPointF(x(pc), plot.bottom()));
    p.setPen(text);
    for (double v = 0; v <= yMax + step / 2; v += step)
        p.drawText(QRectF(area.left(), y(v * 10) - line / 2, left - area.left() - line * 0.3, line),
                   Qt::AlignRight | Qt::AlignVCenter, grouped(v));
    for (int pc = 0; pc <= 100; pc += 10)
        p.drawText(QRectF(x(pc) - line * 2, plot.bottom() + line * 0.2, line * 4, line), Qt::AlignCenter,
                   QString::number(pc));
    p.drawText(QRectF(plot.left(), plot.bottom() + line * 1.3, plot.width(), line), Qt::AlignCenter,
               u"配偶者の取得割合（％）"_s);
    p.drawText(QRectF(area.left(), area.top() + line * 1.3, plot.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
               u"税額（万円）"_s);
    p.drawRect(plot);

    // The three lines: straight between kinks, so these points draw the exact curves.
    struct Series { QColor colour; Qt::PenStyle style; double width; double Figures::*value; const char16_t* name; };
    const Series series[] = {
        {firstColour, Qt::SolidLine, 2, &Figures::firstPayable, u"一次相続"},
        {secondColour, Qt::DashLine, 2, &Figures::secondPayable, u"二次相続"},
        {text, Qt::SolidLine, 3, &Figures::total, u"合計"},
    };
    double legendX = plot.right();
    for (auto it = std::rbegin(series); it != std::rend(series); ++it) {
        QPolygonF points;
        for (std::size_t i = 0; i < kinks.size() && i < curve.size(); ++i)
            points << QPointF(x(percentOf(kinks[i])), y(curve[i].*(it->value)));
        p.setPen(QPen(it->colour, it->width, it->style, Qt::FlatCap, Qt::RoundJoin));
        p.drawPolyline(points);
        // Legend, right to left along the top.
        const QString name = QString::fromUtf16(it->name);
        legendX -= fm.horizontalAdvance(name) + line * 2.6;
        const double ly = area.top() + line * 0.6;
        p.drawLine(QPointF(legendX, ly), QPointF(legendX + line * 1.6, ly));
        p.setPen(text);
        p.drawText(QPointF(legendX + line * 2, ly + fm.ascent() / 2 - fm.descent() / 2), name);
    }

    // The chosen share: a dotted rule and a dot on each line.
    const Figures& chosen = m_form.figures();
    const double cx = x(m_form.percent());
    p.setPen(QPen(text, 1, Qt::DotLine));
    p.drawLine(QPointF(cx, plot.top()), QPointF(cx, plot.bottom()));
    for (const Series& s : series) {
        p.setPen(QPen(s.colour, 1.5));
        p.setBrush(palette().color(QPalette::Base));
        p.drawEllipse(QPointF(cx, y(chosen.*(s.value))), line * 0.25, line * 0.25);
    }

    // The minimum: a filled diamond and its label, kept inside the plot.
    const Optimum& best = m_form.best();
    const QPointF m(x(percentOf(best.share)), y(best.total));
    const double r = line * 0.35;
    p.setPen(QPen(text, 1));
    p.setBrush(dark ? QColor(120, 230, 120) : QColor(0, 140, 60));
    p.drawPolygon(QPolygonF{{m.x(), m.y() - r}, {m.x() + r, m.y()}, {m.x(), m.y() + r}, {m.x() - r, m.y()}});
    const QString label = u"最小 %1 %　%2千円"_s.arg(QString::number(percentOf(best.share), 'f', 1),
                                                     kz::ui::qs(formatGrouped(static_cast<double>(shown(best.total)))));
    const double w = fm.horizontalAdvance(label) + line * 0.6;
    QRectF box(m.x() - w / 2, m.y() + r + line * 0.3, w, line * 1.2);
    if (box.bottom() > plot.bottom())
        box.moveBottom(m.y() - r - line * 0.3);
    box.moveLeft(std::clamp(box.left(), plot.left() + 2, plot.right() - w - 2));
    QColor plate = palette().color(QPalette::Base);
    plate.setAlpha(220);
    p.setPen(QPen(grid, 1));
    p.setBrush(plate);
    p.drawRect(box);
    p.setPen(text);
    p.drawText(box, Qt::AlignCenter, label);
    p.restore();
}

} // namespace kz::second
