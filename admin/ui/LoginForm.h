#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dedizo {

// TLoginForm ("用户登录"): the login code (a list of the users, or a plain
// field when the system parameter says so) and the password. The dialog is
// accepted only by a successful login; closing it otherwise leaves the
// logged-in user as it was.
class LoginForm : public QDialog
{
    Q_OBJECT
public:
    // Fills the list of codes (creating "Admin" when missing) and selects the
    // code remembered in Config.ini.
    explicit LoginForm(QWidget* parent = nullptr);

    // The automatic login of the program start applies (see AutoLoginApplies).
    bool autoLoginApplies() const;
    const QStringList& userCodes() const { return m_codes; }
    QString userCodeText() const;

    // "登录(&L)": checks and, on success, accepts the dialog.
    void login();

    QLabel* ImgLogin = nullptr;
    QComboBox* CboUserName = nullptr;
    QLineEdit* EditPwd = nullptr;
    QPushButton* BtnLogin = nullptr;

private:
    QStringList m_codes;
};

// Login(first): shows the login window; with `first` the automatic login may
// log in without showing it. True when somebody logged in now. At the first
// login a false result ends the program; later the previous user stays.
bool Login(bool first, QWidget* parent = nullptr);

} // namespace dedizo
