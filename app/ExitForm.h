#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

namespace dedizo {

// The exit window "退出系统": leave the program, power off or restart.
class ExitForm : public QDialog
{
    Q_OBJECT
public:
    enum class Choice
    {
        Exit,
        PowerOff,
        Reboot
    };

    explicit ExitForm(QWidget* parent = nullptr);

    Choice choice() const;

    QRadioButton* RbExit = nullptr;
    QRadioButton* RbPowerOff = nullptr;
    QRadioButton* RbReboot = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

} // namespace dedizo
