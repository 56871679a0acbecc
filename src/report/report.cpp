// SPDX-License-Identifier: MIT
#include "report/report.h"


#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QRectF>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace kz::report {
namespace {

// A4 portrait, in millimetres.
constexpr qreal kPageWidth = 210, kPageHeight = 297;
constexpr qreal kLeft = 18, kRight = 18, kTop = 16, kBottom = 20;
constexpr qreal kFooterFromBottom = 11;
constexpr qreal kGap = 4; // between blocks
constexpr QRgb kHeaderFill = 0xffe8e8e8;
constexpr QRgb kSoftText = 0xff404040;

// Measures and draws in the pixels of the recording; mm() converts.
class Sheet {
public:
    explicit Sheet(const QPaintDevice& device) : dpi_(device.logicalDpiY()), device_(device) {}

    qreal mm(qreal v) const { return v * dpi_ / 25.4; }
    qreal left() const { return mm(kLeft); }
    qreal width() const { return mm(kPageWidth - kLeft - kRight); }
    qreal top() const { return mm(kTop); }
    qreal bottom() const { return mm(kPageHeight - kBottom); }

    QFont font(qreal points, bool bold = false) const
    {
        QFont f = QGuiApplication::font();
        f.setPointSizeF(points);
        f.setBold(bold);
        // Outlines as drawn at any size, so that the screen's measure holds on paper.
        f.setHintingPreference(QFont::PreferNoHinting);
        return f;
    }
    // The height of a text wrapped to `width`.
    qreal height(const QFont& f, qreal width, const QString& text) const
    {
        const QFontMetricsF fm(f, &device_);
        if (text.isEmpty())
            return fm.height();
        return fm.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text).height();
    }
    qreal textWidth(const QFont& f, const QString& text) const
    {
        return QFontMetricsF(f, &device_).horizontalAdvance(text);
    }

private:
    qreal dpi_;
    const QPaintDevice& device_;
};

using Paint = std::function<void(QPainter&, qreal top)>;

// One piece of a page that is never split: a line, a table row, a step, a figure.
struct Item {
    qreal height = 0;
    Paint paint;
    bool keepWithNext = false; // a heading stays with what it heads
    bool gap = false;          // space between blocks, dropped at the top of a page
    const Item* repeat = nullptr; // a table row: its header, drawn again at the top of a new page
};

void drawText(QPainter& p, const QRectF& r, const QFont& f, const QString& text,
              Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop, QRgb colour = 0xff000000)
{
    p.setFont(f);
    p.setPen(QColor::fromRgb(colour));
    p.drawText(r, int(align) | Qt::TextWordWrap, text);
}

class Layout {
public:
    Layout(const Document& doc, const Sheet& sheet) : doc_(doc), s_(sheet) {}

    std::vector<Item> build()
    {
        title();
        for (const Section& section : doc_.inputs)
            inputs(section);
        for (const Table& table : doc_.tables)
            this->table(table);
        for (const Figure& figure : doc_.figures)
            this->figure(figure);
        steps();
        caveat();
        // Rows point at their table's header: fix the addresses once the list stops growing.
        for (const auto& [row, header] : repeats_)
            items_[row].repeat = &items_[header];
        return std::move(items_);
    }

private:
    void add(Item item) { items_.push_back(std::move(item)); }
    void gap(qreal mm = kGap) { add({s_.mm(mm), {}, false, true, nullptr}); }

    // A paragraph across the text width in a ruled box (line width in mm).
    void boxedText(const QString& text, const QFont& f, qreal ruleMm)
    {
        const qreal pad = s_.mm(2), x = s_.left(), w = s_.width();
        const qreal h = s_.height(f, w - 2 * pad, text) + 2 * pad;
        add({h, [=, this](QPainter& p, qreal top) {
                 p.setPen(QPen(Qt::black, s_.mm(ruleMm)));
                 p.drawRect(QRectF(x, top, w, h));
                 drawText(p, QRectF(x + pad, top + pad, w - 2 * pad, h - 2 * pad), f, text);
             }});
    }

    // `unitWidth`: the width of what the heading heads, whose right edge the unit stands at.
    void heading(const QString& text, const QString& unit = {}, qreal unitWidth = 0)
    {
        const QFont f = s_.font(11, true);
        const qreal h = s_.height(f, s_.width(), text) + s_.mm(1.5);
        const qreal x = s_.left(), w = s_.width();
        const qreal unitW = unitWidth > 0 ? std::max(unitWidth, s_.textWidth(f, text) + s_.textWidth(s_.font(8.5), unit) + s_.mm(4)) : w;
        add({h,
             [=, this](QPainter& p, qreal top) {
                 drawText(p, QRectF(x, top, w, h), f, text);
                 if (!unit.isEmpty())
                     drawText(p, QRectF(x, top, std::min(unitW, w), h), s_.font(8.5), unit, Qt::AlignRight | Qt::AlignBottom);
                 p.setPen(QPen(Qt::black, s_.mm(0.25)));
                 p.drawLine(QPointF(x, top + h - s_.mm(0.6)), QPointF(x + w, top + h - s_.mm(0.6)));
             },
             true});
        gap(1.5);
        items_.back().keepWithNext = true;
    }

    void title()
    {
        const QFont big = s_.font(18, true), small = s_.font(10);
        const QString date = doc_.date.isValid() ? u"作成日　"_s + eraDate(doc_.date) : QString();
        const QString client = clientHeading(doc_.client);
        const QFont clientFont = s_.font(13);
        const qreal titleH = s_.height(big, s_.width(), doc_.title);
        const qreal clientH = client.isEmpty() ? 0 : s_.height(clientFont, s_.width(), client) + s_.mm(1.5);
        const qreal lineH = s_.height(small, s_.width(), doc_.law + date);
        const qreal x = s_.left(), w = s_.width();
        add({clientH + titleH + lineH + s_.mm(3), [=, this](QPainter& p, qreal top) {
                 // The client's name above the title, as a letter is addressed.
                 if (!client.isEmpty())
                     drawText(p, QRectF(x, top, w, clientH), clientFont, client);
                 top += clientH;
                 drawText(p, QRectF(x, top, w, titleH), big, doc_.title);
                 const QRectF line(x, top + titleH + s_.mm(1), w, lineH);
                 drawText(p, line, small, doc_.law);
                 drawText(p, line, small, date, Qt::AlignRight | Qt::AlignTop);
                 p.setPen(QPen(Qt::black, s_.mm(0.5)));
                 const qreal y = top + titleH + lineH + s_.mm(2.5);
                 p.drawLine(QPointF(x, y), QPointF(x + w, y));
             }});
        gap(6);
        if (doc_.headline.isEmpty())
            return;
        boxedText(doc_.headline, s_.font(10.5, true), 0.4);
        gap(6);
    }

    void inputs(const Section& section)
    {
        heading(section.title);
        const QFont f = s_.font(9.5);
        // The keys' column as wide as its longest key and a gap, so that a key stays on one
        // line and its value stands apart from it; at most half the page.
        qreal keyW = s_.mm(40);
        for (const Row& row : section.rows)
            keyW = std::max(keyW, s_.textWidth(f, row.key) + s_.mm(6));
        keyW = std::min(keyW, s_.width() / 2);
        const qreal x = s_.left() + s_.mm(2), valueW = s_.width() - s_.mm(2) - keyW;
        for (const Row& row : section.rows) {
            const qreal h = std::max(s_.height(f, keyW, row.key), s_.height(f, valueW, row.value)) + s_.mm(1.2);
            add({h, [=](QPainter& p, qreal top) {
                     drawText(p, QRectF(x, top, keyW, h), f, row.key, Qt::AlignLeft | Qt::AlignTop, kSoftText);
                     drawText(p, QRectF(x + keyW, top, valueW, h), f, row.value);
                 }});
        }
        gap();
    }

    void table(const Table& t)
    {
        const QFont f = s_.font(9), bold = s_.font(9, true);
        const int columns = static_cast<int>(t.columns.size());
        if (columns == 0) {
            heading(t.title, t.unit);
            return;
        }
        // The captions take what they need, within a third of the width or more.
        qreal captionW = s_.mm(30);
        for (const QStringList& row : t.rows)
            if (!row.isEmpty())
                captionW = std::max(captionW, s_.textWidth(f, row.first()) + s_.mm(4));
        const qreal minFigures = s_.mm(20) * (columns - 1);
        captionW = std::min(captionW, std::max(s_.width() - minFigures, s_.width() / 3));
        std::vector<qreal> widths(static_cast<std::size_t>(columns), columns > 1 ? (s_.width() - captionW) / (columns - 1) : 0);
        widths[0] = captionW;
        if (t.fitted) {
            // Every column as wide as its widest text, the header's in bold included.
            for (int c = 0; c < columns; ++c) {
                qreal need = s_.textWidth(bold, t.columns.value(c));
                for (const QStringList& row : t.rows)
                    need = std::max(need, s_.textWidth(f, row.value(c)));
                widths[static_cast<std::size_t>(c)] = need + s_.mm(c == 0 ? 4 : 6);
            }
        }
        std::vector<qreal> lefts;
        qreal tableW = 0;
        for (const qreal w : widths) {
            lefts.push_back(s_.left() + tableW);
            tableW += w;
        }
        heading(t.title, t.unit, t.fitted ? tableW : 0);
        const auto widthOf = [=](int c) { return widths[static_cast<std::size_t>(c)]; };
        const qreal pad = s_.mm(1.2);

        const auto rowItem = [=, this](const QStringList& cells, bool header) {
            const QFont& font = header ? bold : f;
            qreal h = 0;
            for (int c = 0; c < columns; ++c)
                h = std::max(h, s_.height(font, widthOf(c) - 2 * pad, cells.value(c)));
            h += 2 * pad;
            return Item{h, [=, this](QPainter& p, qreal top) {
                            if (header)
                                p.fillRect(QRectF(s_.left(), top, tableW, h), QColor::fromRgb(kHeaderFill));
                            p.setPen(QPen(Qt::black, s_.mm(0.15)));
                            p.drawRect(QRectF(s_.left(), top, tableW, h));
                            for (int c = 0; c < columns; ++c) {
                                if (c > 0)
                                    p.drawLine(QPointF(lefts[c], top), QPointF(lefts[c], top + h));
                                const QRectF cell(lefts[c] + pad, top + pad, widthOf(c) - 2 * pad, h - 2 * pad);
                                const Qt::Alignment a = c == 0 ? Qt::AlignLeft : header ? Qt::AlignHCenter : Qt::AlignRight;
                                drawText(p, cell, font, cells.value(c), a | Qt::AlignVCenter);
                                p.setPen(QPen(Qt::black, s_.mm(0.15)));
                            }
                        }};
        };
        const std::size_t header = items_.size();
        add(rowItem(t.columns, true));
        items_.back().keepWithNext = true;
        for (const QStringList& row : t.rows) {
            repeats_.emplace_back(items_.size(), header);
            add(rowItem(row, false));
        }
        gap();
    }

    void figure(const Figure& fig)
    {
        if (!fig.title.isEmpty())
            heading(fig.title);
        const qreal x = s_.left(), w = s_.width(), h = s_.mm(fig.heightMm);
        add({h, [=](QPainter& p, qreal top) {
                 if (!fig.draw)
                     return;
                 p.save();
                 fig.draw(p, QRectF(x, top, w, h));
                 p.restore();
             }});
        gap();
    }

    void steps()
    {
        if (doc_.steps.isEmpty() && doc_.emptySteps.isEmpty())
            return;
        heading(doc_.stepsTitle);
        const QFont captionFont = s_.font(9.5, true), f = s_.font(9);
        const qreal x = s_.left() + s_.mm(1), w = s_.width() - s_.mm(1), indent = s_.mm(7);
        if (doc_.steps.isEmpty()) {
            const qreal h = s_.height(f, w, doc_.emptySteps);
            add({h, [=, text = doc_.emptySteps](QPainter& p, qreal top) { drawText(p, QRectF(x, top, w, h), f, text); }});
        }
        for (const Step& step : doc_.steps) {
            const QString words = u"式　"_s + step.words;
            const QString numbers = (step.numbers.isEmpty() ? QString() : step.numbers + u" = "_s) + step.result;
            const qreal resultW = s_.textWidth(captionFont, step.result) + s_.mm(2);
            const qreal captionH = s_.height(captionFont, w - resultW, step.caption);
            const qreal wordsH = step.words.isEmpty() ? 0 : s_.height(f, w - indent, words);
            const qreal numbersH = s_.height(f, w - indent, numbers);
            const qreal h = captionH + wordsH + numbersH + s_.mm(2.2);
            add({h, [=](QPainter& p, qreal top) {
                     drawText(p, QRectF(x, top, w - resultW, captionH), captionFont, step.caption);
                     drawText(p, QRectF(x, top, w, captionH), captionFont, step.result, Qt::AlignRight | Qt::AlignTop);
                     qreal y = top + captionH;
                     if (wordsH > 0) {
                         drawText(p, QRectF(x + indent, y, w - indent, wordsH), f, words, Qt::AlignLeft | Qt::AlignTop,
                                  kSoftText);
                         y += wordsH;
                     }
                     drawText(p, QRectF(x + indent, y, w - indent, numbersH), f, numbers);
                 }});
        }
        gap();
    }

    void caveat()
    {
        if (doc_.caveat.isEmpty())
            return;
        boxedText(doc_.caveat, s_.font(9), 0.25);
    }

    const Document& doc_;
    const Sheet& s_;
    std::vector<Item> items_;
    std::vector<std::pair<std::size_t, std::size_t>> repeats_;
};

struct Placed {
    const Item* item;
    qreal top;
};

std::vector<std::vector<Placed>> paginate(const std::vector<Item>& items, const Sheet& s)
{
    std::vector<std::vector<Placed>> pages(1);
    qreal y = s.top();
    const auto fits = [&](std::size_t i) {
        // A heading goes over with what it heads.
        qreal need = 0;
        for (std::size_t j = i; j < items.size(); ++j) {
            need += items[j].height;
            if (!items[j].keepWithNext)
                break;
        }
        return y + need <= s.bottom();
    };
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& item = items[i];
        const bool pageEmpty = pages.back().empty();
        if (item.gap && pageEmpty)
            continue;
        if (!pageEmpty && !item.gap && !fits(i)) {
            pages.emplace_back();
            y = s.top();
            if (item.repeat) {
                pages.back().push_back({item.repeat, y});
                y += item.repeat->height;
            }
        }
        pages.back().push_back({&item, y});
        y += item.height;
    }
    return pages;
}

} // namespace

QList<Step> reportSteps(const std::vector<kz::Step>& steps)
{
    QList<Step> out;
    for (const kz::Step& s : steps)
        out.append({QString::fromStdString(s.caption), QString::fromStdString(s.words), QString::fromStdString(s.numbers),
                    QString::fromStdString(s.result + s.unit)});
    return out;
}

qreal areaMm(const QPainter& painter, qreal mm)
{
    return painter.device() ? mm * painter.device()->logicalDpiY() / 25.4 : mm;
}

QList<QPicture> pages(const Document& doc)
{
    QPicture probe;
    const Sheet sheet(probe);
    Layout layout(doc, sheet); // the items paint through it: it stays until the last page is drawn
    const std::vector<Item> items = layout.build();
    const auto placed = paginate(items, sheet);
    const int count = static_cast<int>(placed.size());
    const QRect paper(0, 0, qRound(sheet.mm(kPageWidth)), qRound(sheet.mm(kPageHeight)));

    QList<QPicture> out;
    for (int n = 0; n < count; ++n) {
        QPicture picture;
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        for (const Placed& at : placed[static_cast<std::size_t>(n)])
            if (at.item->paint)
                at.item->paint(p, at.top);
        const QRectF footer(sheet.left(), sheet.mm(kPageHeight - kFooterFromBottom), sheet.width(), sheet.mm(5));
        drawText(p, footer, sheet.font(8.5), u"%1 / %2"_s.arg(n + 1).arg(count), Qt::AlignHCenter | Qt::AlignTop);
        drawText(p, footer, sheet.font(8), doc.title, Qt::AlignLeft | Qt::AlignTop, kSoftText);
        p.end();
        picture.setBoundingRect(paper);
        out.push_back(picture);
    }
    return out;
}

namespace {

// The eras a report writes, latest first, from their first days.
struct Era {
    int year, month, day;
    const char16_t* name;
};
constexpr Era kEras[] = {{2019, 5, 1, u"令和"}, {1989, 1, 8, u"平成"}, {1926, 12, 25, u"昭和"}};

std::optional<QDate>& chosenDate()
{
    static std::optional<QDate> date;
    return date;
}

} // namespace

QDate firstEraDate() { return QDate(std::end(kEras)[-1].year, std::end(kEras)[-1].month, std::end(kEras)[-1].day); }

QString eraDate(const QDate& date)
{
    for (const Era& era : kEras) {
        if (date < QDate(era.year, era.month, era.day))
            continue;
        const int year = date.year() - era.year + 1;
        return QString::fromUtf16(era.name) + (year == 1 ? u"元"_s : QString::number(year)) +
               u"年%1月%2日"_s.arg(date.month()).arg(date.day());
    }
    return {};
}

void setReportDate(const QDate& date)
{
    if (date.isValid())
        chosenDate() = date;
    else
        chosenDate().reset();
}

QDate reportDate() { return chosenDate().value_or(QDate::currentDate()); }

QString clientHeading(const QString& client)
{
    if (client.isEmpty())
        return {};
    for (const QString& honorific : {u"様"_s, u"さま"_s, u"殿"_s, u"御中"_s})
        if (client.endsWith(honorific))
            return client;
    return client + u"　様"_s;
}

} // namespace kz::report
