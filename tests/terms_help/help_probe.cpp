// SPDX-License-Identifier: MIT
// Shows the help window on one page for a look under a virtual display:
//   help_probe <page 1..6>
#include "shell/window_setup.h"
#include "terms_help/form_szkaisetu.h"
#include "terms_help/tab_dialog.h"
#include "ui/app.h"
#include "ui/window_registry.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    kz::shell::registerWindows();
    auto* w = qobject_cast<kz::terms::FormSZkaisetu*>(kz::ui::showWindow(kz::ui::WindowKind::TermsHelp));
    if (!w)
        return 1;
    const int page = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1;
    w->SSTab1->setCurrentIndex(page - 1);
    return app.exec();
}
