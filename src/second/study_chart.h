// SPDX-License-Identifier: MIT
#pragma once
// The picture of the study's table: the first, second and total tax over the spouse's
// share, drawn with QPainter in logical pixels so that it is sharp at any screen scale.
#ifndef Q_MOC_RUN
#include "core/second/study.h"
#endif

#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <vector>

namespace kz::second {

class StudyForm;

class StudyChart : public QWidget {
    Q_OBJECT
public:
    explicit StudyChart(const StudyForm& form, QWidget* parent = nullptr);

    // Draws the chart on any device in the given rectangle; on paper in dark ink on white
    // whatever the screen's palette.
    void paintChart(QPainter& p, const QRectF& area, bool paper = false) const;

    // The value axis's labels from the bottom, in 千円 with grouped digits: whole 千円 steps
    // of 1, 2 or 5 times a power of ten, so that no two read alike.
    QStringList axisLabels() const;

    struct Colours {
        QColor text, grid, first, second, minimum, base, total;
    };

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Where the plot stands in an area, and the scale of its axes.
    struct Frame {
        QRectF plot;
        double line = 0, step = 1, yMax = 1;
        std::int32_t estate = 0;
        double percentOf(std::int32_t s) const { return estate > 0 ? 100.0 * s / estate : 0.0; }
        double x(double percent) const { return plot.left() + plot.width() * percent / 100; }
        double y(double sen) const { return plot.bottom() - plot.height() * sen / yMax; }
    };
    // What the cached picture shows.
    struct Key {
        std::vector<std::int32_t> kinks;
        std::vector<Figures> curve;
        std::int32_t best = 0;
        QSize pixels;
        QRgb base = 0, text = 0;
        bool operator==(const Key&) const = default;
    };

    Frame frame(const QRectF& area, const QFontMetricsF& fm) const;
    Colours colours(bool paper) const;
    void paintCurves(QPainter& p, const QRectF& area, const Colours& c) const;
    void paintChosen(QPainter& p, const QRectF& area, const Colours& c) const;
    void paintMinimum(QPainter& p, const QRectF& area, const Colours& c) const;

    const StudyForm& form_;
    QPixmap cache_;
    Key key_;
};

} // namespace kz::second
