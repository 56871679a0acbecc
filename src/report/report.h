// SPDX-License-Identifier: MIT
#pragma once
// A report to hand a client: an A4 portrait document drawn as vector text and lines, the
// same pages for the PDF file, the print preview and the printer. A window fills in a
// Document from its model's current state; nothing here computes a figure.
//
// Reading order on paper: the title with the law and the date, the input sections, the
// result tables, the pictures, the steps, the caveat; a page number "n / m" on every page.
#include <QDate>
#include <QList>
#include <QPicture>
#include <QString>
#include <QStringList>

#include "core/common/step.h"

#include <cstdint>
#include <functional>
#include <vector>

class QPainter;
class QRectF;

namespace kz::report {

// One input as entered: "法定相続人数" → "3 人".
struct Row {
    QString key;
    QString value;
};

// A titled block of inputs, laid out as key / value lines.
struct Section {
    QString title;
    QList<Row> rows;
};

// A table of texts. The first column holds row captions (left-aligned); the other columns
// hold figures (right-aligned). A table too long for a page goes on with its header again.
struct Table {
    QString title;
    QStringList columns;     // the header row; its first entry heads the captions
    QList<QStringList> rows; // each as long as columns
    QString unit;            // written above the table's right edge: "（単位：千円）"
    bool fitted = false;     // each column as wide as its widest text, not the page's width
};

// A step of a calculation: its caption, the rule in words, the rule with the figures, and
// the figure as the window shows it, with its unit.
struct Step {
    QString caption;
    QString words;
    QString numbers;
    QString result;
};

// The steps of a model as the report takes them (UTF-8 into the report's texts).
QList<Step> reportSteps(const std::vector<kz::Step>& steps);

// What a 計算過程 window shows: a heading, groups of steps (a group's title may be empty),
// and a note under them: the hint while there are none, or why a calculation stopped.
struct StepGroup {
    QString title;
    QList<Step> steps;
};
struct StepsPage {
    QString heading;
    QList<StepGroup> groups;
    QString note;
};

// A drawing of its own, such as a chart: `draw` paints within the rectangle it is given,
// on the page's painter (fonts by point size come out at their size; areaMm converts).
struct Figure {
    QString title;
    qreal heightMm = 80;
    std::function<void(QPainter& painter, const QRectF& area)> draw;
};

struct Document {
    QString title; // "相続税の試算"
    QString law;   // "[平成20年5月1日現在法令等]"; empty: no line for it
    QDate date;    // the date printed under the title, in the era form: "令和8年12月7日"
    QString client; // "お客様名": printed in the heading when given
    QString headline; // the answer in a sentence, framed under the title; empty: none
    QList<Section> inputs;
    QList<Table> tables;
    QList<Figure> figures;
    QString stepsTitle = QStringLiteral(u"計算過程");
    QList<Step> steps;
    QString emptySteps; // said instead of the steps when there are none
    QString caveat;     // "このシートはあくまで概算ですので、…"
    // The case the report shows, attached to its PDF under this name: the document handed
    // to a client opens again as the case. Empty: nothing attached.
    QString caseFileName;
    QByteArray caseFile;
};

// The pages of a document, each a recording as large as an A4 sheet in portrait.
// Every output plays these same recordings, so the preview, the PDF and the paper agree
// page for page.
QList<QPicture> pages(const Document& doc);

// The length of `mm` millimetres on a page's painter, for a Figure's own drawing.
qreal areaMm(const QPainter& painter, qreal mm);

// What a report is made for: a file, or the print preview and the printer.
enum class ReportUse : std::uint8_t { Save, Print };

// The heading's line for the client: "山田太郎　様"; a name that already ends with an
// honorific (様, 殿, 御中) as typed is printed as it is, not "山田様　様".
QString clientHeading(const QString& client);

// "令和8年12月7日": a date in the era form the law editions' names use (令和 from 2019-05-01,
// 平成 from 1989-01-08, 昭和 before; the first year of an era is 元年). Empty before
// firstEraDate(), the first day of 昭和, which the date picker does not go below.
QString eraDate(const QDate& date);
QDate firstEraDate();

// The date the reports carry: the one the main menu gives while it is open, else today.
QDate reportDate();
// The menu's date, given on each change; an invalid date (the menu gone) leaves today.
void setReportDate(const QDate& date);

} // namespace kz::report
