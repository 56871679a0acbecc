#pragma once
// The tax window's fixed reference content: the chart of procedures after a death
// (Picture2, a page of its own) and the gift-tax quick table (Picture4, in the command
// column). Both are display only.
#include <QWidget>

namespace kz::tax {

class ProceduresChart : public QWidget {
    Q_OBJECT
public:
    explicit ProceduresChart(QWidget* parent = nullptr);
};

class GiftTaxTable : public QWidget {
    Q_OBJECT
public:
    explicit GiftTaxTable(QWidget* parent = nullptr);
};

} // namespace kz::tax
