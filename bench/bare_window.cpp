// SPDX-License-Identifier: MIT
// The floor the program is measured against: plain Qt, built with the same flags, no
// Kazenoha code, its text Japanese in the program's font (which alone is shared: a Japanese
// face takes its own time to find and load). A small window at the top-left with one text
// button, as the menu stands; each press of the button opens the next window of the sizes
// given on the command line (WxH,WxH,…, cycling), centred, with a few controls: a label, a
// focused field and a button that rewrites the label, as a calculation writes its result,
// and a key typed in the field repaints the whole window.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "ui/program_font.h"

#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr Qt::WindowFlags kFixed{Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                 | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint};

QWidget* openWindow(QSize size)
{
    auto* w = new QWidget(nullptr, kFixed);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowTitle(u"相続税計算"_s);
    w->setFixedSize(size);
    auto* label = new QLabel(u"０円"_s, w);
    label->setGeometry(120, 16, 97, 25);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::Box);
    auto* update = new QPushButton(u"計算"_s, w);
    update->setGeometry(8, 16, 97, 25);
    QObject::connect(update, &QPushButton::clicked, label, [label] {
        label->setText(label->text() == u"12,345"_s ? u"67,890"_s : u"12,345"_s);
    });
    auto* field = new QLineEdit(u"0"_s, w);
    field->setGeometry(8, 56, 97, 25);
    // A typed key repaints the whole window: the floor for a window that redraws on every key.
    QObject::connect(field, &QLineEdit::textEdited, w, [w] { w->update(); });
    auto* close = new QPushButton(u"閉じる"_s, w);
    close->setGeometry(8, 96, 97, 25);
    QObject::connect(close, &QPushButton::clicked, w, &QWidget::close);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    w->move((screen.width() - size.width()) / 2, (screen.height() - size.height()) / 2);
    w->show();
    w->activateWindow();
    field->setFocus();
    return w;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::substituteProgramFonts();
    app.setFont(kz::ui::programFont());
    std::vector<QSize> sizes;
    for (const QString& arg : app.arguments().mid(1).join(u',').split(u',', Qt::SkipEmptyParts)) {
        const QStringList wh = arg.split(u'x');
        if (wh.size() == 2)
            sizes.emplace_back(wh[0].toInt(), wh[1].toInt());
    }

    QWidget menu(nullptr, kFixed);
    menu.setFixedSize(115, 264);
    menu.move(0, 0);
    auto* button = new QPushButton(u"相続税計算"_s, &menu);
    button->setGeometry(8, 16, 97, 25);
    std::size_t next = 0;
    QObject::connect(button, &QPushButton::clicked, &menu, [&] {
        if (!sizes.empty())
            openWindow(sizes[next++ % sizes.size()]);
    });
    menu.show();
    return app.exec();
}
