// SPDX-License-Identifier: MIT
#include "qtest_support.h"

#include "ui/app.h"
#include "ui/text_fit.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QTabBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <QTimer>

namespace kz::test {

namespace {

// A poll ends with the test that holds its record: left running, it would answer a later
// test's box (under wine a test often ends well within the polling time).
void poll(const std::weak_ptr<MessageBoxSeen>& record, QMessageBox::StandardButton button, int triesLeft)
{
    const std::shared_ptr<MessageBoxSeen> seen = record.lock();
    if (!seen)
        return;
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        if (triesLeft > 0)
            QTimer::singleShot(10, qApp, [=] { poll(record, button, triesLeft - 1); });
        return;
    }
    seen->shown = true;
    seen->title = box->windowTitle();
    seen->text = box->text();
    seen->icon = box->icon();
    for (QAbstractButton* b : box->buttons())
        seen->buttons << b->text();
    if (QAbstractButton* b = box->button(button))
        b->click();
    else
        box->reject();
}

} // namespace

std::shared_ptr<MessageBoxSeen> answerNextMessageBox(QMessageBox::StandardButton button)
{
    auto seen = std::make_shared<MessageBoxSeen>();
    QTimer::singleShot(0, qApp, [record = std::weak_ptr(seen), button] { poll(record, button, 500); });
    return seen;
}

void typeText(QWidget* widget, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &release);
    }
}

QWidget* focused() { return QApplication::focusWidget(); }

void press(Qt::Key key, Qt::KeyboardModifiers modifiers) { QTest::keyClick(focused(), key, modifiers); }

bool dropText(QWidget* widget, const QString& text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at = widget->mapTo(widget->window(), widget->rect().center());
    QDragMoveEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {}, QEvent::DragEnter);
    QCoreApplication::sendEvent(widget->window()->windowHandle(), &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QCoreApplication::sendEvent(widget->window()->windowHandle(), &drop);
    return drop.isAccepted();
}

bool showsWholeText(QWidget* box)
{
    const QImage image = box->grab().toImage(); // draws, and so sizes the font for the text
    auto* edit = qobject_cast<QLineEdit*>(box);
    const QString text = edit ? edit->displayText() : static_cast<QLabel*>(box)->text();
    const int frame = edit ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : static_cast<QLabel*>(box)->frameWidth();
    // Clear of round corners, in the image's own pixels (a grab at 150 % has half as many again).
    const QRectF logical = QRectF(box->rect()).adjusted(frame, frame + 1, -frame, -frame - 1);
    const qreal dpr = image.devicePixelRatio();
    const QRect inner(QPoint(int(std::ceil(logical.left() * dpr)), int(std::ceil(logical.top() * dpr))),
                      QPoint(int(logical.right() * dpr) - 1, int(logical.bottom() * dpr) - 1));
    QMap<int, int> greys; // the commonest is the background
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x)
            ++greys[qGray(image.pixel(x, y))];
    const int background = std::max_element(greys.keyValueBegin(), greys.keyValueEnd(),
                                            [](auto a, auto b) { return a.second < b.second; })->first;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x : {inner.left(), inner.left() + 1, inner.right() - 1, inner.right()})
            if (std::abs(qGray(image.pixel(x, y)) - background) > 96)
                return false;
    return std::ceil(QFontMetricsF(box->font()).horizontalAdvance(kz::ui::shownText(box))) <= kz::ui::textRoom(box);
}

QString showsLegibly(QWidget* box)
{
    using namespace Qt::StringLiterals;
    if (!showsWholeText(box))
        return u"cut"_s;
    if (QFontMetricsF(box->font()).tightBoundingRect(u"0"_s).height() < 7)
        return u"below the floor"_s;
    auto* edit = qobject_cast<QLineEdit*>(box);
    const QString whole = edit ? edit->displayText() : static_cast<QLabel*>(box)->text();
    const QString shown = kz::ui::shownText(box);
    if (shown == whole)
        return {};
    if (box->toolTip() != whole || !box->accessibleDescription().endsWith(whole))
        return u"whole text not offered"_s;
    if (shown.count(u'#') == shown.size())
        return {};
    if (shown.endsWith(u'…'))
        return whole.startsWith(shown.chopped(1)) ? QString() : u"elided wrongly"_s;
    // Rounded to the digits shown: off by at most half a unit of the last one.
    const double a = QString(whole).remove(u',').toDouble(), b = shown.toDouble();
    const qsizetype digits = QString(shown).section(u'E', 0, 0).remove(u'-').remove(u'.').size();
    return std::abs(a - b) <= 0.5 * std::pow(10.0, 1 - digits) * std::abs(a) ? QString() : u"another value: "_s + shown;
}

namespace {

// A trailing line break adds an empty line that shows nothing.
int wrappedHeight(const QLabel* l)
{
    const QRect room(0, 0, l->contentsRect().width() - 2 * l->margin(), 1 << 20);
    return l->fontMetrics().boundingRect(room, Qt::TextWordWrap, l->text().trimmed()).height();
}

} // namespace

QStringList cutTexts(QWidget* window)
{
    QStringList cut;
    for (QLabel* l : window->findChildren<QLabel*>()) {
        if (!l->isVisibleTo(window) || l->text().isEmpty())
            continue;
        // A fitted box is measured as drawn (a caption may touch its edge, where showsWholeText
        // would take its ink for a cut number's).
        const bool fitted = l->findChild<QObject*>(QStringLiteral("kz_textFit"), Qt::FindDirectChildrenOnly);
        const bool fits = fitted ? (l->grab(), std::ceil(QFontMetricsF(l->font()).horizontalAdvance(l->text())) <= kz::ui::textRoom(l))
                          : l->wordWrap() ? wrappedHeight(l) <= l->contentsRect().height() + 1
                                          : l->sizeHint().width() <= l->width();
        if (!fits)
            cut << l->text();
    }
    for (QLineEdit* e : window->findChildren<QLineEdit*>())
        // The focus frame stands where a cut text's ink would; a field under edit scrolls.
        if (e->isVisibleTo(window) && !e->hasFocus() && !showsWholeText(e))
            cut << e->objectName();
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->isVisibleTo(window) && b->fontMetrics().horizontalAdvance(b->text()) > b->width() - 4)
            cut << b->text();
    for (QTabBar* bar : window->findChildren<QTabBar*>())
        for (int i = 0; i < bar->count(); ++i)
            if (bar->fontMetrics().horizontalAdvance(bar->tabText(i))
                    + bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar) > bar->tabRect(i).width())
                cut << bar->tabText(i);
    return cut;
}

void flushDeletes()
{
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QImage renderPage(const QPicture& page, qreal devicePixelRatio)
{
    QImage image(page.boundingRect().size() * devicePixelRatio, QImage::Format_RGB32);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawPicture(-page.boundingRect().topLeft(), page);
    return image;
}

int unlikePerMille(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return 1000;
    const QSize quarter = a.size() / 4;
    const QImage qa = a.convertToFormat(QImage::Format_RGB32).scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage qb = b.convertToFormat(QImage::Format_RGB32).scaled(quarter, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    auto apart = [](int p, int q) { return std::abs(p - q) > 48; };
    qint64 unlike = 0;
    for (int y = 0; y < quarter.height(); ++y)
        for (int x = 0; x < quarter.width(); ++x) {
            const QRgb p = qa.pixel(x, y), q = qb.pixel(x, y);
            unlike += apart(qRed(p), qRed(q)) || apart(qGreen(p), qGreen(q)) || apart(qBlue(p), qBlue(q));
        }
    return static_cast<int>(1000 * unlike / std::max<qint64>(1, qint64(quarter.width()) * quarter.height()));
}

QRect inkRect(const QLabel* l)
{
    if (l->text().isEmpty())
        return l->pixmap().isNull() ? QRect() : l->geometry();
    const QRect inner = l->contentsRect();
    QSize size = l->sizeHint();
    if (l->wordWrap())
        size = QSize(inner.width(), l->heightForWidth(l->width()));
    return QStyle::alignedRect(l->layoutDirection(), l->alignment(), size.boundedTo(inner.size()), inner).translated(l->pos());
}

void checkTextFits(const QLabel* l, int slack)
{
    const QString what = l->text().left(16);
    if (l->findChild<QObject*>(QStringLiteral("kz_textFit"), Qt::FindDirectChildrenOnly)) {
        // Fitted (its font wider here than the one it was laid out for): measured as drawn.
        const_cast<QLabel*>(l)->grab();
        QVERIFY2(std::ceil(QFontMetricsF(l->font()).horizontalAdvance(kz::ui::shownText(l))) <= kz::ui::textRoom(l),
                 qPrintable(what));
        return;
    }
    if (l->wordWrap()) {
        QVERIFY2(l->heightForWidth(l->width()) <= l->height() + slack, qPrintable(what));
        return;
    }
    QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(what));
    const QRect need = l->fontMetrics().boundingRect(QRect(0, 0, 10000, 10000), Qt::AlignLeft, l->text());
    QVERIFY2(need.width() <= l->contentsRect().width() && need.height() <= l->contentsRect().height(), qPrintable(what));
    for (const QString& line : l->text().split(u'\n'))
        QVERIFY2(l->fontMetrics().horizontalAdvance(line) <= l->width(), qPrintable(what));
    QVERIFY2(l->fontMetrics().height() * (l->text().count(u'\n') + 1) <= l->height(), qPrintable(what));
}

void checkApart(const QList<std::pair<QString, QRect>>& boxes, qsizetype checked, int border)
{
    using namespace Qt::StringLiterals;
    for (qsizetype i = 0; i < (checked < 0 ? boxes.size() : checked); ++i)
        for (qsizetype j = i + 1; j < boxes.size(); ++j) {
            const QRect overlap = boxes[i].second.intersected(boxes[j].second);
            QVERIFY2(overlap.isEmpty() || overlap.width() <= border || overlap.height() <= border,
                     qPrintable(boxes[i].first + u" / "_s + boxes[j].first));
        }
}

PrintCapture::PrintCapture(QWidget* icon)
{
    kz::ui::setPrintSink([this, icon](const QPicture& p, kz::ui::PageOrientation o, const kz::ui::PrintTarget&) {
        page = p;
        orientation = o;
        iconHidden = icon && !icon->isVisible();
        return ++pages > 0;
    });
}

bool chooseWhileInactive(QWidget* window, QWidget* target)
{
    QWidget other;
    other.show();
    other.activateWindow();
    if (!QTest::qWaitForWindowActive(&other))
        return false;
    target->setFocus(Qt::MouseFocusReason);
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

int runTests(QObject* test, int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(test, argc, argv);
}

} // namespace kz::test
