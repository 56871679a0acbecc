// SPDX-License-Identifier: MIT
#include "ui/text_fit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <optional>

namespace kz::ui {

namespace {

// QLineEdit keeps this margin on either side of its text, and counts one pixel more
// than the text's width before it stops scrolling.
constexpr int kLineEditMargin = 2;

int lineEditRoom(const QLineEdit* e)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->contentsRect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    const QRect r = e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(e->textMargins());
    return r.width() - 2 * kLineEditMargin - 1;
}

int labelRoom(const QLabel* l)
{
    int room = l->contentsRect().width() - 2 * l->margin();
    int indent = l->indent();
    // A framed label without an indent of its own keeps half an "x" from the frame.
    if (indent < 0 && l->frameWidth() > 0)
        indent = l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - l->margin();
    // The label keeps the indent on its aligned side; a number drawn smaller keeps as much
    // on the other side too, rather than touching the frame.
    if (indent > 0 && (l->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        room -= 2 * indent;
    return room;
}

class TextFit : public QObject {
public:
    explicit TextFit(QWidget* box)
        : QObject(box)
        , m_box(box)
        , m_stated(box->font())
    {
        setObjectName(name());
        box->installEventFilter(this);
    }

    static QString name() { return QStringLiteral("kz_textFit"); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::FontChange:
            if (!m_applying) {
                m_stated = m_box->font();
                m_memo.reset();
            }
            break;
        case QEvent::Paint:
            // A field repaints as it gains or loses the focus, so this covers editing too.
            apply();
            break;
        default:
            break;
        }
        return false;
    }

private:
    QString text() const
    {
        if (const auto* e = qobject_cast<const QLineEdit*>(m_box))
            return e->displayText();
        const auto* l = qobject_cast<const QLabel*>(m_box);
        return l ? l->text() : QString();
    }

    // A read-only result that has the focus (to be copied) is not under edit.
    bool editing() const
    {
        const auto* e = qobject_cast<const QLineEdit*>(m_box);
        return e && e->hasFocus() && !e->isReadOnly();
    }

    QFont fitted()
    {
        if (editing())
            return m_stated;
        const QString t = text();
        const int room = textRoom(m_box);
        // A box repaints far more often than its text or room change: measure on a change only.
        if (m_memo && m_memo->text == t && m_memo->room == room)
            return m_memo->font;
        // Whole pixels, as the box lays its text out; a quarter point is a third of a pixel.
        const qreal stated = m_stated.pointSizeF();
        auto width = [&](qreal size) {
            QFont f = m_stated;
            f.setPointSizeF(size);
            return std::ceil(QFontMetricsF(f).horizontalAdvance(t));
        };
        QFont f = m_stated;
        const qreal full = std::ceil(QFontMetricsF(m_stated).horizontalAdvance(t));
        if (full > room && stated > 1.0) {
            // Widths grow about in proportion to the size: start there, then settle on the
            // largest quarter point that fits.
            qreal size = std::max(1.0, std::floor(4 * stated * room / full) / 4);
            while (size + 0.25 < stated && width(size + 0.25) <= room)
                size += 0.25;
            while (size > 1.0 && width(size) > room)
                size -= 0.25;
            f.setPointSizeF(size);
        }
        m_memo = Memo{t, room, f};
        return f;
    }

    void apply()
    {
        const QFont f = fitted();
        if (f == m_box->font())
            return;
        m_applying = true;
        m_box->setFont(f);
        m_applying = false;
    }

    struct Memo {
        QString text;
        int room;
        QFont font;
    };

    QWidget* m_box;
    QFont m_stated;
    std::optional<Memo> m_memo; // the last answer, for the text and room it was given
    bool m_applying = false;
};

void install(QWidget* box)
{
    if (!box->findChild<QObject*>(TextFit::name(), Qt::FindDirectChildrenOnly))
        new TextFit(box);
}

} // namespace

void fitText(QLabel* label) { install(label); }
void fitText(QLineEdit* field) { install(field); }

int textRoom(const QWidget* box)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(box))
        return lineEditRoom(e);
    const auto* l = qobject_cast<const QLabel*>(box);
    return l ? labelRoom(l) : box->width();
}

} // namespace kz::ui
