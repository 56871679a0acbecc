// SPDX-License-Identifier: MIT
#pragma once
#include <QWidget>

class QDateEdit;
class QLabel;
class QTime;
class QTimer;

namespace kz::ui { class CommandButton; }

namespace kz::shell {

// The main menu: opens the calculators and the About box, shows the date and a clock.
class Formmenu : public QWidget {
    Q_OBJECT
public:
    explicit Formmenu(QWidget* parent = nullptr);
    ~Formmenu() override;

    // "hh:mm:ss" in 24-hour form.
    static QString clockText(const QTime& time);

    void Timer1_Timer();

    kz::ui::CommandButton* Command1 = nullptr; // 相続税計算
    kz::ui::CommandButton* Command4 = nullptr; // 係数計算
    kz::ui::CommandButton* Command6 = nullptr; // About
    kz::ui::CommandButton* Command8 = nullptr; // 終 了
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label1 = nullptr;
    QTimer* Timer1 = nullptr;

private:
    void Form_Load();
    void Command1_Click();
    void Command4_Click();
    void Command6_Click();
    void Command8_Click();
};

} // namespace kz::shell
