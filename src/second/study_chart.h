// SPDX-License-Identifier: MIT
#pragma once
// The picture of the study's table: the first, second and total tax over the spouse's
// share, drawn with QPainter in logical pixels so that it is sharp at any screen scale.
#include <QWidget>

namespace kz::second {

class StudyForm;

class StudyChart : public QWidget {
    Q_OBJECT
public:
    explicit StudyChart(const StudyForm& form, QWidget* parent = nullptr);

    // Draws the chart on any device (the screen, a printed page) in the given rectangle.
    void paintChart(QPainter& p, const QRectF& area) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const StudyForm& m_form;
};

} // namespace kz::second
