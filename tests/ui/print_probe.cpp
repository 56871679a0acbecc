// SPDX-License-Identifier: MIT
// Prints one window to the default printer, as the calculators do after "はい".
// With "--tax-window" or "--coefficient-window" it prints that window through its own icon,
// with a worked case typed in, and fails where the program tells the user it could not print.
#include "coefficients/formkeisu.h"
#include "tax_sheet/form_souzoku.h"
#include "ui/action_box.h"
#include "ui/app.h"
#include "ui/print.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>

#include <string>

using namespace Qt::StringLiterals;

namespace {

// Answers the print question as the user would.
void answerYes()
{
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->button(QMessageBox::Yes)->click();
        return;
    }
    QTimer::singleShot(10, qApp, answerYes);
}

// Clicks the window's icon and waits for the job to end: the icon is back and no message
// box is open. Returns 0 unless the window said it could not print.
int printThrough(QWidget* icon, const std::function<void()>& click)
{
    QTimer::singleShot(0, qApp, answerYes);
    click();
    bool failed = false;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            qWarning("%s", qPrintable(box->text()));
            failed = true;
            box->accept();
        } else if (icon->isVisible()) {
            loop.quit();
        }
    });
    poll.start(50);
    loop.exec();
    return failed ? 1 : 0;
}

int printTaxWindow()
{
    kz::tax::FormSouzoku form;
    kz::tax::TaxSheet& sheet = form.sheet();
    const kz::tax::Field spouse = kz::tax::amountField(1, 0);
    sheet.gotFocus(spouse);
    sheet.setText(spouse, "250000");
    sheet.lostFocus(spouse);
    sheet.setText(kz::tax::heirCountField(), "1");
    sheet.setText(kz::tax::numeratorField(0), "1");
    sheet.setText(kz::tax::denominatorField(0), "1");
    sheet.command4();
    form.show();
    // The window's own path: the job is named after its title.
    return printThrough(form.Picture5, [&] { form.Picture5_Click(); });
}

int printCoefficientWindow()
{
    kz::coef::Formkeisu form;
    form.show();
    return printThrough(form.controls.Picture1[0], [&] { form.Picture1_Click(0); });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "--tax-window")
        return printTaxWindow();
    if (mode == "--coefficient-window")
        return printCoefficientWindow();
    QLabel window(u"相続税計算シート　印刷の確認"_s);
    window.setStyleSheet(u"background: black; color: white; font-size: 40px"_s);
    window.resize(880, 624);
    window.show();
    const QString docName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"kazenoha-probe"_s;
    return kz::ui::printPage(kz::ui::recordWindow(&window), kz::ui::PageOrientation::Landscape, docName) ? 0 : 1;
}
