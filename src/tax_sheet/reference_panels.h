// SPDX-License-Identifier: MIT
#pragma once
// The tax window's fixed reference content: the chart of procedures after a death
// (Picture2, a page of its own) and the gift-tax quick table (Picture4, in the command
// column). Both are display only.
// moc cannot parse the standard <concepts> header that the model's headers pull in.
#ifndef Q_MOC_RUN
#include "core/tax_sheet/law.h"
#endif

#include <QWidget>

namespace kz::tax {

class ProceduresChart : public QWidget {
    Q_OBJECT
public:
    explicit ProceduresChart(QWidget* parent = nullptr);
};

// The gift-tax quick tables of a law edition, the stated one until told otherwise.
class GiftTaxTable : public QWidget {
    Q_OBJECT
public:
    explicit GiftTaxTable(QWidget* parent = nullptr);
    void setLaw(const kz::tax::LawEdition& law);
};

} // namespace kz::tax
