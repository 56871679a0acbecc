// SPDX-License-Identifier: MIT
#include "ui/text_fit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFontMetricsF>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
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

// The legible floor. A text is never drawn with digits less than 7 px high (logical pixels,
// so at 100 % scale; about 7.25 pt in the sheet's fonts): below that a digit is a grey smudge
// that reads as any other. A text that does not fit its room at the floor is shown there in a
// shorter form that says what it is:
//  - a number in fewer significant digits, rounded to the nearest (never cut), in E notation
//    with its sign and exponent where the integer part does not fit ("-2.1475E+09",
//    "6E+15"), grouping commas left out first ("2147483648"); where not even one digit and
//    the exponent fit, "###", as a spreadsheet says that a number is too wide;
//  - any other text ending in "…".
// The box then offers its whole text as tooltip and accessible description, and Ctrl+C on a
// result copies the whole text.
constexpr qreal kFloorDigitHeight = 7.0;

qreal floorSize(const QFont& stated)
{
    static QHash<QString, qreal> known; // by the font without its size
    QFont key = stated;
    key.setPointSizeF(10);
    const QString id = key.key();
    if (const auto it = known.constFind(id); it != known.constEnd())
        return it.value();
    qreal size = 1.0;
    for (QFont f = stated; size < 72.0; size += 0.25) {
        f.setPointSizeF(size);
        if (QFontMetricsF(f).tightBoundingRect(QStringLiteral("0")).height() >= kFloorDigitHeight)
            break;
    }
    known.insert(id, size);
    return size;
}

qreal widthOf(const QString& text, const QFontMetricsF& fm) { return std::ceil(fm.horizontalAdvance(text)); }

QString shortForm(const QString& text, const QFont& font, int room)
{
    const QFontMetricsF fm(font);
    QString plain = text;
    plain.remove(QLatin1Char(','));
    bool number = false;
    const double value = QLocale::c().toDouble(plain, &number);
    if (!number || !std::isfinite(value))
        return fm.elidedText(text, Qt::ElideRight, room);
    for (int digits = 17; digits >= 1; --digits) {
        const QString shorter = QString::number(value, 'G', digits);
        if (widthOf(shorter, fm) <= room)
            return shorter;
    }
    // Not even one digit and its exponent: hashes, as a spreadsheet shows a number too wide.
    QString hashes(QLatin1Char('#'));
    while (widthOf(hashes + QLatin1Char('#'), fm) <= room)
        hashes += QLatin1Char('#');
    return hashes;
}

QRect lineEditTextRect(const QLineEdit* e);

} // namespace

qreal fittingSize(const QFont& stated, qreal room, const std::function<qreal(const QFont&)>& width)
{
    const qreal statedSize = stated.pointSizeF();
    const qreal full = width(stated);
    if (full <= room || statedSize <= 1.0)
        return statedSize;
    const auto at = [&](qreal size) {
        QFont f = stated;
        f.setPointSizeF(size);
        return width(f);
    };
    const qreal floor = std::min(statedSize, floorSize(stated));
    // Widths grow about in proportion to the size: start there, then settle on the largest
    // quarter point that fits.
    qreal size = std::max(floor, std::floor(4 * statedSize * room / full) / 4);
    while (size + 0.25 < statedSize && at(size + 0.25) <= room)
        size += 0.25;
    while (size > floor && at(size) > room)
        size -= 0.25;
    return size;
}

namespace {

int lineEditRoom(const QLineEdit* e) { return lineEditTextRect(e).width() - 2 * kLineEditMargin - 1; }

QRect lineEditTextRect(const QLineEdit* e)
{
    QStyleOptionFrame opt;
    opt.initFrom(e);
    opt.rect = e->contentsRect();
    opt.lineWidth = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
    opt.midLineWidth = 0;
    opt.state |= QStyle::State_Sunken;
    return e->style()->subElementRect(QStyle::SE_LineEditContents, &opt, e).marginsRemoved(e->textMargins());
}

// Where a label keeps its text: inside its margin, and its indent on both sides.
QRect labelTextRect(const QLabel* l)
{
    const int m = l->margin();
    QRect r = l->contentsRect().adjusted(m, m, -m, -m);
    int indent = l->indent();
    // A framed label without an indent of its own keeps half an "x" from the frame.
    if (indent < 0 && l->frameWidth() > 0)
        indent = l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - m;
    // The label keeps the indent on its aligned side; a number drawn smaller keeps as much
    // on the other side too, rather than touching the frame.
    if (indent > 0 && (l->alignment() & (Qt::AlignLeft | Qt::AlignRight)))
        r.adjust(indent, 0, -indent, 0);
    return r;
}

int labelRoom(const QLabel* l) { return labelTextRect(l).width(); }

class TextFit : public QObject {
public:
    explicit TextFit(QWidget* box)
        : QObject(box)
        , box_(box)
        , stated_(box->font())
    {
        setObjectName(name());
        box->installEventFilter(this);
    }

    static QString name() { return QStringLiteral("kz_textFit"); }

    QString shown() const { return memo_ && !memo_->shown.isEmpty() ? memo_->shown : text(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != box_)
            return false;
        switch (event->type()) {
        case QEvent::FontChange:
            if (!applying_) {
                stated_ = box_->font();
                memo_.reset();
            }
            break;
        case QEvent::Paint:
            // A field repaints as it gains or loses the focus, so this covers editing too.
            apply();
            if (!memo_ || memo_->shown.isEmpty())
                break;
            // The box draws itself, then the shorter form over its own text.
            static_cast<QObject*>(box_)->event(event);
            paintShortForm();
            return true;
        case QEvent::KeyPress:
            return copyWhole(static_cast<QKeyEvent*>(event));
        default:
            break;
        }
        return false;
    }

private:
    QString text() const
    {
        if (const auto* e = qobject_cast<const QLineEdit*>(box_))
            return e->displayText();
        const auto* l = qobject_cast<const QLabel*>(box_);
        return l ? l->text() : QString();
    }

    // A read-only result that has the focus (to be copied) is not under edit.
    bool editing() const
    {
        const auto* e = qobject_cast<const QLineEdit*>(box_);
        return e && e->hasFocus() && !e->isReadOnly();
    }

    struct Memo {
        QString text;
        int room;
        QFont font;
        QString shown; // the shorter form drawn instead of the text, or empty
    };

    Memo fitted()
    {
        const QString t = text();
        const int room = textRoom(box_);
        if (editing())
            return {t, -1, stated_, {}}; // no answer to keep for later
        // A box repaints far more often than its text or room change: measure on a change only.
        if (memo_ && memo_->text == t && memo_->room == room)
            return *memo_;
        // Whole pixels, as the box lays its text out; a quarter point is a third of a pixel.
        const auto width = [&t](const QFont& f) { return widthOf(t, QFontMetricsF(f)); };
        Memo m{t, room, stated_, {}};
        if (width(stated_) > room && stated_.pointSizeF() > 1.0) {
            m.font.setPointSizeF(fittingSize(stated_, room, width));
            if (width(m.font) > room)
                m.shown = shortForm(t, m.font, room);
        }
        return m;
    }

    void apply()
    {
        const bool wasFitted = memo_ && (memo_->font != stated_ || !memo_->shown.isEmpty());
        memo_ = fitted();
        const bool fittedNow = memo_->font != stated_ || !memo_->shown.isEmpty();
        if (fittedNow || wasFitted)
            offerWholeText(fittedNow ? memo_->text : QString());
        if (memo_->font == box_->font())
            return;
        applying_ = true;
        box_->setFont(memo_->font);
        applying_ = false;
    }

    // The whole text, where the box shows it smaller or shorter, as tooltip and beside what
    // the view describes the box as; empty takes it back.
    void offerWholeText(const QString& whole)
    {
        box_->setToolTip(whole);
        QString described = box_->accessibleDescription();
        if (!offered_.isEmpty() && described.endsWith(offered_))
            described.chop(offered_.size());
        offered_ = whole.isEmpty() ? QString() : (described.isEmpty() ? whole : QStringLiteral("、") + whole);
        if (described + offered_ != box_->accessibleDescription())
            box_->setAccessibleDescription(described + offered_);
    }

    void paintShortForm()
    {
        QPainter p(box_);
        QRect r;
        Qt::Alignment align;
        if (const auto* e = qobject_cast<const QLineEdit*>(box_)) {
            r = lineEditTextRect(e);
            p.fillRect(r, e->palette().color(QPalette::Base));
            r.adjust(kLineEditMargin, 0, -kLineEditMargin, 0);
            align = e->alignment();
        } else {
            const auto* l = static_cast<const QLabel*>(box_);
            p.fillRect(l->contentsRect(), l->palette().color(l->backgroundRole()));
            r = labelTextRect(l);
            align = l->alignment();
        }
        p.setFont(memo_->font);
        p.setPen(box_->palette().color(box_->foregroundRole()));
        p.drawText(r, int(align), memo_->shown);
    }

    // Ctrl+C on a result copies its whole text where nothing or a shortened text is selected.
    bool copyWhole(const QKeyEvent* key)
    {
        const auto* e = qobject_cast<const QLineEdit*>(box_);
        const auto* l = qobject_cast<const QLabel*>(box_);
        if (!key->matches(QKeySequence::Copy) || (e && !e->isReadOnly()))
            return false;
        const bool selected = e ? e->hasSelectedText() : l && l->hasSelectedText();
        if (selected && (!memo_ || memo_->shown.isEmpty()))
            return false;
        QApplication::clipboard()->setText(text());
        return true;
    }

    QWidget* box_;
    QFont stated_;
    std::optional<Memo> memo_; // the last answer, for the text and room it was given
    QString offered_;          // what the accessible description got added
    bool applying_ = false;
};

void install(QWidget* box)
{
    if (!box->findChild<QObject*>(TextFit::name(), Qt::FindDirectChildrenOnly))
        new TextFit(box);
}

} // namespace

void fitText(QLabel* label) { install(label); }

QString shownText(const QWidget* box)
{
    if (const auto* fit = box->findChild<TextFit*>(TextFit::name(), Qt::FindDirectChildrenOnly))
        return fit->shown();
    if (const auto* e = qobject_cast<const QLineEdit*>(box))
        return e->displayText();
    const auto* l = qobject_cast<const QLabel*>(box);
    return l ? l->text() : QString();
}
void fitText(QLineEdit* field) { install(field); }

int textRoom(const QWidget* box)
{
    if (const auto* e = qobject_cast<const QLineEdit*>(box))
        return lineEditRoom(e);
    const auto* l = qobject_cast<const QLabel*>(box);
    return l ? labelRoom(l) : box->width();
}

} // namespace kz::ui
