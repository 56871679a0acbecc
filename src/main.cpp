#include "shell/window_setup.h"
#include "ui/app.h"
#include "ui/windows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kz::ui::setupApplication(app);
    kz::shell::registerWindows();
    kz::ui::showWindow(kz::ui::WindowKind::Menu);
    return app.exec();
}
