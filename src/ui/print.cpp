#include "ui/print.h"

#include "ui/click_label.h"
#include "ui/icons.h"
#include "ui/twips.h"

#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace kz::ui {

namespace {

PrintSink& sink()
{
    static PrintSink s;
    return s;
}

} // namespace

void setPrintSink(PrintSink s) { sink() = std::move(s); }

ClickLabel* makePrintIcon(Twips left, Twips top, QWidget* parent)
{
    auto* icon = new ClickLabel(QString(), parent);
    icon->setGeometry(twipsRect(left, top, 390, 375));
    icon->setPixmap(printerPixmap());
    icon->setAlignment(Qt::AlignCenter);
    icon->setFocusPolicy(Qt::ClickFocus);
    return icon;
}

bool printImage(const QImage& image, PageOrientation orientation, const QString& docName)
{
    // QPrinter::isValid() stays true without any printer; ask CUPS for the default instead.
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() || image.isNull())
        return false;
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(docName);
    if (orientation == PageOrientation::Landscape)
        printer.setPageOrientation(QPageLayout::Landscape);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize fitted = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((page.width() - fitted.width()) / 2, (page.height() - fitted.height()) / 2), fitted);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, image);
    return painter.end();
}

bool confirmAndPrint(QWidget* window, QWidget* icon, PageOrientation orientation)
{
    QMessageBox box(QMessageBox::Question, u"印刷"_s, u"画面印刷をします。よろしいですか？"_s,
                    QMessageBox::Yes | QMessageBox::No, window);
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes)
        return false;

    const bool iconWasVisible = icon && icon->isVisible();
    if (icon)
        icon->hide();
    const QImage image = window->grab().toImage();
    if (sink())
        sink()(image, orientation);
    else
        printImage(image, orientation, window->windowTitle());
    if (icon && iconWasVisible)
        icon->show();
    return true;
}

} // namespace kz::ui
