// SPDX-License-Identifier: MIT
#pragma once
#include "ui/print.h"
#include "ui/window_registry.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPicture>
#include <QStringList>
#include <QTest>

#include <memory>
#include <utility>

namespace kz::test {

// What a message box showed before a test answered it.
struct MessageBoxSeen {
    bool shown = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
};

// Answers the next modal message box with `button` as soon as it opens. Call it before
// the action that opens the box; read the returned record afterwards. The answer waits only
// while the record is held.
[[nodiscard]] std::shared_ptr<MessageBoxSeen> answerNextMessageBox(QMessageBox::StandardButton button);

// Types text as key presses; characters beyond ASCII arrive as an input method or a
// keyboard layout would send them (key code unknown, the character as the event's text).
void typeText(QWidget* widget, const QString& text);

// The widget that has the keyboard focus, and a key pressed and released on it.
QWidget* focused();
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Drops a text from another program on the widget, through its window as the platform
// does, so that only a widget that accepts drops takes it. True if it was taken.
bool dropText(QWidget* widget, const QString& text);

// Whether a label or line edit, as drawn, shows its whole text: no ink just inside its frame,
// where a cut text runs out, and the text's width at the drawn font fits its room.
bool showsWholeText(QWidget* box);
// Shown whole, or where that would take digits under 7 px, at the floor in a shorter form
// that reads as the same value (or ends in "…"), offering the whole text as tooltip and
// accessible description ("###" where not even that fits). Empty: yes; else what failed.
QString showsLegibly(QWidget* box);

// The texts of a window's shown labels, fields, buttons and tabs that are cut: a number box
// fails showsWholeText, a caption is wider (or, wrapped, taller) than its box.
QStringList cutTexts(QWidget* window);

// Deletes the windows that closed with Qt::WA_DeleteOnClose, so that the next test
// starts without them.
void flushDeletes();

// A printed page painted as the screen shows a window: at its size and pixel ratio.
QImage renderPage(const QPicture& page, qreal devicePixelRatio);

// How many pixels in a thousand of two window images differ to the eye: compared at a
// quarter of their size, where the exact placement of glyph edges, which a recorded page
// may move by a pixel, no longer counts.
int unlikePerMille(const QImage& a, const QImage& b);

// The window of `kind` shown as the menu shows it, once it is on screen; null if it never is.
template <class W = QWidget>
W* shownWindow(kz::ui::WindowKind kind)
{
    auto* w = qobject_cast<W*>(kz::ui::showWindow(kind));
    return w && QTest::qWaitForWindowExposed(w) ? w : nullptr;
}

// Where a label's text actually stands inside it; a picture without text stands on the whole label.
QRect inkRect(const QLabel* l);

// Fails the running test where a label's text needs more room than the label has: a wrapped text
// more than `slack` pixels of height beyond it; any other text its size hint's width, or the
// width or height of its lines at the label's font.
void checkTextFits(const QLabel* l, int slack = 0);

// Fails the running test where two named boxes overlap: each of the first `checked` (-1: all)
// against every later one; two that share a strip up to `border` pixels wide, as stated neighbours
// share their border, pass.
void checkApart(const QList<std::pair<QString, QRect>>& boxes, qsizetype checked = -1, int border = 0);

// Takes the pages a window prints instead of the printer, noting whether `icon` was hidden as
// each was taken; the printer comes back when the capture ends.
struct PrintCapture {
    explicit PrintCapture(QWidget* icon = nullptr);
    ~PrintCapture() { kz::ui::setPrintSink({}); }
    int pages = 0;
    QPicture page;
    kz::ui::PageOrientation orientation = kz::ui::PageOrientation::AsPrinterIs;
    bool iconHidden = false;
};

// A click chose `target` while another window was in front: it gets the focus only as `window`
// comes back. False if either window failed to become active.
bool chooseWhileInactive(QWidget* window, QWidget* target);

int runTests(QObject* test, int argc, char** argv);

} // namespace kz::test

// QTEST_MAIN with the program's own fonts and translations.
#define KZ_QTEST_MAIN(TestClass)                                  \
    int main(int argc, char** argv)                               \
    {                                                             \
        TestClass tc;                                             \
        return kz::test::runTests(&tc, argc, argv);               \
    }
