// Prints one window image to the default printer, as the calculators do after "はい".
#include "ui/app.h"
#include "ui/print.h"

#include <QApplication>
#include <QLabel>

using namespace Qt::StringLiterals;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    QLabel window(u"相続税計算シート　印刷の確認"_s);
    window.setStyleSheet(u"background: black; color: white; font-size: 40px"_s);
    window.resize(880, 624);
    window.show();
    const QString docName = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"kazenoha-probe"_s;
    return kz::ui::printImage(window.grab().toImage(), kz::ui::PageOrientation::Landscape, docName) ? 0 : 1;
}
