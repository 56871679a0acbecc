// SPDX-License-Identifier: MIT
#include "shell/formmenu.h"

#include "report/report.h"

#include "ui/app.h"
#include "ui/command_button.h"
#include "ui/controls.h"
#include "ui/twips.h"
#include "ui/window_registry.h"
#include "ui/placement.h"

#include <QApplication>
#include <QDateEdit>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace kz::shell {

using namespace kz::ui;

namespace {

constexpr Control kSeparators[] = {
    {Kind::Line, u"", 120, 1380, 1440, 0},
    {Kind::Line, u"", 120, 2520, 1440, 0},
    {Kind::Line, u"", 120, 2880, 1440, 0},
    {Kind::Line, u"", 120, 3240, 1440, 0},
};

} // namespace

Formmenu::Formmenu(QWidget* parent)
    : QWidget(parent, kz::ui::kFixedWindow)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"Formmenu"_s);
    // The title bar stays blank. Qt would put the program's name into an empty title, so
    // the title is one blank.
    setWindowTitle(u" "_s);
    // A screen reader names the window all the same.
    setAccessibleName(u"メインメニュー"_s);
    setFixedSize(twipsSize(1725, 3960));
    setBackground(this, kLightCyan);

    auto button = [this](const QString& caption, const char* name, Twips top) {
        auto* b = new CommandButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setGeometry(twipsRect(120, top, 1455, 375));
        return b;
    };
    Command1 = button(u"相続税計算"_s, "Command1", 240);
    Command4 = button(u"係数計算"_s, "Command4", 840);
    Command6 = button(u"About"_s, "Command6", 2040);
    Command8 = button(u"終 了"_s, "Command8", 3360);

    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(u"DTPicker1"_s);
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setDisplayFormat(u"yyyy/MM/dd"_s);
    DTPicker1->setGeometry(twipsRect(120, 2580, 1455, 255));
    DTPicker1->setAccessibleName(u"日付"_s);
    QFont pickerFont = DTPicker1->font();
    pickerFont.setPointSizeF(8.25); // the full date must fit beside the drop-down arrow
    DTPicker1->setFont(pickerFont);
    // Reports date themselves in an era, 昭和 the first they write; the menu gives them its date.
    DTPicker1->setMinimumDate(kz::report::firstEraDate());
    connect(DTPicker1, &QDateEdit::dateChanged, this, [](QDate date) { kz::report::setReportDate(date); });

    Label1 = makeLabel(QString(), 120, 2950, 1455, 255, this, Qt::AlignCenter);
    Label1->setObjectName(u"Label1"_s);
    Label1->setAccessibleDescription(u"現在時刻"_s);

    buildControls(kSeparators, this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &Formmenu::Timer1_Timer);

    connect(Command1, &QPushButton::clicked, this, &Formmenu::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Formmenu::Command4_Click);
    connect(Command6, &QPushButton::clicked, this, &Formmenu::Command6_Click);
    connect(Command8, &QPushButton::clicked, this, &Formmenu::Command8_Click);

    setTabOrder(Command1, Command4);
    setTabOrder(Command4, Command6);
    setTabOrder(Command6, Command8);
    setTabOrder(Command8, DTPicker1);
    for (QWidget* w : findChildren<QWidget*>())
        if (w != Command1 && w != Command4 && w != Command6 && w != Command8 && w != DTPicker1
            && !DTPicker1->isAncestorOf(w))
            w->setFocusPolicy(Qt::NoFocus);

    Form_Load();
    Timer1->start();
}

Formmenu::~Formmenu() { kz::report::setReportDate({}); }

QString Formmenu::clockText(const QTime& time) { return time.toString(u"HH:mm:ss"_s); }

void Formmenu::Form_Load()
{
    move(0, 0);
    DTPicker1->setDate(QDate::currentDate());
    Label1->setText(clockText(QTime::currentTime()));
    Command1->setFocus();
}

void Formmenu::Timer1_Timer()
{
    const QTime now = QTime::currentTime();
    if (now.isValid())
        Label1->setText(clockText(now));
}

void Formmenu::Command1_Click() { showWindow(WindowKind::TaxSheet); }
void Formmenu::Command4_Click() { showWindow(WindowKind::Coefficients); }
void Formmenu::Command6_Click() { showWindow(WindowKind::About); }

void Formmenu::Command8_Click()
{
    // Nothing in any window outlives it, so nothing is asked.
    QApplication::closeAllWindows();
    QApplication::quit();
}

} // namespace kz::shell
