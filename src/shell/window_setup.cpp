#include "shell/window_setup.h"

#include "coefficients/formkeisu.h"
#include "shell/formmenu.h"
#include "shell/frm_about.h"
#include "terms_help/form_szkaisetu.h"
#include "ui/twips.h"
#include "ui/windows.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace kz::shell {

using kz::ui::WindowKind;

namespace {

// Until a calculator's window is built, its menu button opens an empty window of its final size.
QWidget* emptyWindow(const QString& title, kz::Twips width, kz::Twips height)
{
    auto* w = new QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                       | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    w->setWindowTitle(title);
    w->setFixedSize(kz::ui::twipsSize(width, height));
    kz::ui::placeOnScreen(w, 2, 2);
    return w;
}

} // namespace

void registerWindows()
{
    kz::ui::registerWindow(WindowKind::Menu, [] { return new Formmenu; });
    kz::ui::registerWindow(WindowKind::About, [] { return new frmAbout; });
    kz::ui::registerWindow(WindowKind::TaxSheet, [] { return emptyWindow(u"相続税計算シート"_s, 13200, 9360); });
    kz::ui::registerWindow(WindowKind::TermsHelp, [] { return new kz::terms::FormSZkaisetu; });
    kz::ui::registerWindow(WindowKind::Coefficients, [] { return new kz::coef::Formkeisu; });
}

} // namespace kz::shell
