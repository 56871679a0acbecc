#include "qtest_support.h"

#include "ui/app.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMimeData>
#include <QWindow>
#include <QTimer>

namespace kz::test {

namespace {

void poll(std::shared_ptr<MessageBoxSeen> seen, QMessageBox::StandardButton button, int triesLeft)
{
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
        if (triesLeft > 0)
            QTimer::singleShot(10, qApp, [=] { poll(seen, button, triesLeft - 1); });
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
    QTimer::singleShot(0, qApp, [=] { poll(seen, button, 500); });
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
    QWindow* window = widget->window()->windowHandle();
    const QPointF at = widget->mapTo(widget->window(), widget->rect().center());
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

void flushDeletes()
{
    QTest::qWait(0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int runTests(QObject* test, int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(test, argc, argv);
}

} // namespace kz::test
