#include "ui/text_fit.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

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
    if (indent > 0) {
        if (l->alignment() & Qt::AlignLeft)
            room -= indent;
        if (l->alignment() & Qt::AlignRight)
            room -= indent;
    }
    return room;
}

class TextFit : public QObject {
public:
    explicit TextFit(QWidget* box)
        : QObject(box)
        , m_box(box)
        , m_stated(box->font())
    {
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_box)
            return false;
        switch (event->type()) {
        case QEvent::FontChange:
            if (!m_applying)
                m_stated = m_box->font();
            break;
        case QEvent::Paint:
        case QEvent::FocusIn:
        case QEvent::FocusOut:
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
        return static_cast<const QLabel*>(m_box)->text();
    }

    // A read-only result that has the focus (to be copied) is not under edit.
    bool editing() const
    {
        const auto* e = qobject_cast<const QLineEdit*>(m_box);
        return e && e->hasFocus() && !e->isReadOnly();
    }

    QFont fitted() const
    {
        if (editing())
            return m_stated;
        const QString t = text();
        const int room = textRoom(m_box);
        QFont f = m_stated;
        // Whole pixels, as the box lays its text out; a quarter point is a third of a pixel.
        auto fits = [&](const QFont& font) { return std::ceil(QFontMetricsF(font).horizontalAdvance(t)) <= room; };
        for (qreal size = m_stated.pointSizeF(); !fits(f) && size > 1.0;) {
            size -= 0.25;
            f.setPointSizeF(size);
        }
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

    QWidget* m_box;
    QFont m_stated;
    bool m_applying = false;
};

void install(QWidget* box)
{
    if (!box->findChild<TextFit*>(QString(), Qt::FindDirectChildrenOnly))
        new TextFit(box);
}

} // namespace

void fitText(QLabel* label) { install(label); }
void fitText(QLineEdit* field) { install(field); }

int textRoom(const QWidget* box)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(box))
        return lineEditRoom(e);
    return labelRoom(static_cast<const QLabel*>(box));
}

} // namespace kz::ui
