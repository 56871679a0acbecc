// SPDX-License-Identifier: MIT
#include "shell/frm_about.h"

#include "ui/app.h"
#include "ui/controls.h"
#include "ui/icons.h"
#include "ui/twips.h"
#include "ui/placement.h"

#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kz::shell {

using namespace kz::ui;

namespace {

// Etched separators: a grey rule with a 2-pixel white rule under it.
constexpr Control kSeparators[] = {
    {Kind::Line, u"", 120, 1544, 5400, 0, {}, 0, kGrey},
    {Kind::Line, u"", 120, 1560, 5415, 0, {}, 0, kWhite, 0, false, 2},
    {Kind::Line, u"", 120, 2445, 5400, 0, {}, 0, kGrey},
    {Kind::Line, u"", 105, 2460, 5415, 0, {}, 0, kWhite, 0, false, 2},
};

} // namespace

frmAbout::frmAbout(QWidget* parent)
    // A tool window stays out of the taskbar; it still counts as a window of the program.
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    kz::ui::setWindowFont(this);
    setObjectName(u"frmAbout"_s);
    setAttribute(Qt::WA_QuitOnClose, true);
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    setFixedSize(twipsSize(5730, 3555));
    setBackground(this, kLightCyan);

    auto* iconPanel = new QWidget(this);
    iconPanel->setGeometry(twipsRect(120, 120, 855, 1335));
    setBackground(iconPanel, kLightYellow);
    auto* icon = new QLabel(iconPanel);
    icon->setGeometry(twipsRect(120, 120, 510, 510));
    icon->setPixmap(programPixmap(32));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    icon->setAccessibleDescription(u"Kazenoha のアイコン"_s);

    lblTitle = makeLabel(u"Kazenoha　　相続税、係数計算"_s, 1320, 240, 4005, 240, this);
    QFont titleFont(u"ＭＳ Ｐゴシック"_s);
    titleFont.setPointSizeF(9.75);
    lblTitle->setFont(titleFont);
    lblVersion = makeLabel(u"Ver 1.0.0.0"_s, 2400, 600, 1005, 225, this);
    lblDescription = makeLabel(u"相続税額を算出して、各種営業に役立てていただくソフトです。\n"_s, 1320, 960, 3885, 450,
                               this, Qt::AlignLeft | Qt::AlignTop);
    lblDescription->setWordWrap(true);

    // The band between the separators carries the reminder that the sheet itself prints.
    auto* notice = makeLabel(u"計算結果は概算です。申告は税理士にご相談ください。"_s, 240, 1740, 5250, 600, this);
    notice->setWordWrap(true);

    buildControls(kSeparators, this);

    cmdOK = new QPushButton(u"OK"_s, this);
    cmdOK->setObjectName(u"cmdOK"_s);
    cmdOK->setGeometry(twipsRect(4245, 2880, 1380, 345));
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    // Esc rejects a dialog by itself, so OK is also the cancel button.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::close);
    connect(this, &QDialog::rejected, this, &QDialog::close);
    cmdOK->setFocus();

    placeOnScreen(this, 2, 3);
}

} // namespace kz::shell
