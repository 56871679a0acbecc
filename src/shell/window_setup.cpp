// SPDX-License-Identifier: MIT
#include "shell/window_setup.h"

#include "coefficients/formkeisu.h"
#include "second/form_niji_souzoku.h"
#include "shell/formmenu.h"
#include "shell/frm_about.h"
#include "tax_sheet/form_souzoku.h"
#include "terms_help/form_szkaisetu.h"
#include "ui/window_registry.h"

namespace kz::shell {

using kz::ui::WindowKind;

void registerWindows()
{
    kz::ui::registerWindow(WindowKind::Menu, [] { return new Formmenu; });
    kz::ui::registerWindow(WindowKind::About, [] { return new frmAbout; });
    kz::ui::registerWindow(WindowKind::TaxSheet, [] { return new kz::tax::FormSouzoku; });
    kz::ui::registerWindow(WindowKind::TermsHelp, [] { return new kz::terms::FormSZkaisetu; });
    kz::ui::registerWindow(WindowKind::Coefficients, [] { return new kz::coef::Formkeisu; });
    kz::ui::registerWindow(WindowKind::SecondStudy, [] { return new kz::second::FormNijiSouzoku; });
}

} // namespace kz::shell
