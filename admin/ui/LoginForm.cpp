#include "admin/ui/LoginForm.h"

#include "admin/Login.h"
#include "core/DataModule.h"
#include "core/ParManager.h"
#include "core/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

LoginForm::LoginForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户登录"));
    setObjectName(QStringLiteral("LoginForm"));

    ImgLogin = new QLabel(this);
    const QString picture = QDir::current().filePath(QStringLiteral("Login.bmp"));
    if (QFileInfo::exists(picture))
        ImgLogin->setPixmap(QPixmap(picture));
    else
        ImgLogin->hide();

    CboUserName = new QComboBox(this);
    CboUserName->setObjectName(QStringLiteral("CboUserName"));
    CboUserName->setEditable(true);
    CboUserName->setInsertPolicy(QComboBox::NoInsert);
    CboUserName->setMinimumWidth(200);
    EditPwd = new QLineEdit(this);
    EditPwd->setObjectName(QStringLiteral("EditPwd"));
    EditPwd->setEchoMode(QLineEdit::Password);
    BtnLogin = new QPushButton(QStringLiteral("登录(&L)"), this);
    BtnLogin->setObjectName(QStringLiteral("BtnLogin"));
    // Enter is routed by the fields themselves, not by a default button.
    BtnLogin->setAutoDefault(false);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("用户名称"), CboUserName);
    form->addRow(QStringLiteral("用户密码"), EditPwd);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnLogin);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ImgLogin, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addLayout(buttons);

    m_codes = LoginUserCodes();
    ParManager pars(mainConnection());
    if (pars.IsShowUserListOnLogin())
        CboUserName->addItems(m_codes);
    else
        CboUserName->setStyleSheet(QStringLiteral("QComboBox::drop-down { width: 0px; border: 0px; }"));
    CboUserName->setEditText(PreselectedUserCode(m_codes, LastUserName()));
    EditPwd->setFocus();

    connect(CboUserName->lineEdit(), &QLineEdit::returnPressed, EditPwd, [this] { EditPwd->setFocus(); });
    connect(EditPwd, &QLineEdit::returnPressed, this, &LoginForm::login);
    connect(BtnLogin, &QPushButton::clicked, this, &LoginForm::login);
}

QString LoginForm::userCodeText() const
{
    return CboUserName->currentText();
}

bool LoginForm::autoLoginApplies() const
{
    return AutoLoginApplies(m_codes, userCodeText(), EditPwd->text());
}

void LoginForm::login()
{
    const LoginResult result = TryLogin(userCodeText(), EditPwd->text());
    switch (result) {
    case LoginResult::LoggedIn:
        accept();
        return;
    case LoginResult::EmptyCode:
    case LoginResult::Locked:
        prompts().message(Prompts::Icon::Information, LoginMessage(result));
        CboUserName->setFocus();
        return;
    case LoginResult::NoSuchUser:
        prompts().message(Prompts::Icon::Error, LoginMessage(result));
        CboUserName->setFocus();
        return;
    case LoginResult::WrongPassword:
        prompts().message(Prompts::Icon::Error, LoginMessage(result));
        EditPwd->selectAll();
        EditPwd->setFocus();
        return;
    }
}

bool Login(bool first, QWidget* parent)
{
    LoginForm form(parent);
    if (first && form.autoLoginApplies()) {
        form.login();
        return form.result() == QDialog::Accepted;
    }
    return form.exec() == QDialog::Accepted;
}

} // namespace dedizo
