// SPDX-License-Identifier: MIT
#include "ui/modal.h"

#include <QDialog>
#include <QWidget>

namespace kz::ui {

int runModal(QDialog& dialog, QWidget* back)
{
    const int result = dialog.exec();
    if (back)
        back->activateWindow();
    return result;
}

} // namespace kz::ui
