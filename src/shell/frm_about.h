// SPDX-License-Identifier: MIT
#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace kz::shell {

// The About box: program, version and purpose.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblTitle = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblDescription = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace kz::shell
