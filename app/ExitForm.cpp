#include "app/ExitForm.h"
#include "core/ui/DialogButtons.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace dedizo {

ExitForm::ExitForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TExitForm"));
    setWindowTitle(QStringLiteral("退出系统"));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);
    RbExit = new QRadioButton(QStringLiteral("退出系统，返回 Windows 桌面(&W)"), this);
    RbExit->setObjectName(QStringLiteral("RbExit"));
    RbExit->setChecked(true);
    RbPowerOff = new QRadioButton(QStringLiteral("关闭计算机(&D)"), this);
    RbPowerOff->setObjectName(QStringLiteral("RbPowerOff"));
    RbReboot = new QRadioButton(QStringLiteral("重新启动计算机(&R)"), this);
    RbReboot->setObjectName(QStringLiteral("RbReboot"));
    auto* choices = new QVBoxLayout;
    choices->addWidget(RbExit);
    choices->addWidget(RbPowerOff);
    choices->addWidget(RbReboot);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(choices, 1);

    auto* buttons = okCancelRow(this, BtnOK, BtnCancel);
    connect(BtnOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setMinimumWidth(340);
}

ExitForm::Choice ExitForm::choice() const
{
    if (RbPowerOff->isChecked())
        return Choice::PowerOff;
    if (RbReboot->isChecked())
        return Choice::Reboot;
    return Choice::Exit;
}

} // namespace dedizo
