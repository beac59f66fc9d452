#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace dedizo {

// TModPwdForm ("修改密码"): the logged-in user changes the password.
class ModPwdForm : public QDialog
{
    Q_OBJECT
public:
    explicit ModPwdForm(QWidget* parent = nullptr);
    // "修改(&M)": the window closes only when the password was changed.
    void modify();

    QLineEdit* EditUserCode = nullptr;
    QLineEdit* EditOldPwd = nullptr;
    QLineEdit* EditNewPwd = nullptr;
    QLineEdit* EditNewPwd2 = nullptr;
    QPushButton* BtnModify = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// TPwdInputForm ("密码"): asks the logged-in user's password; accepted only
// on the right one.
class PwdInputForm : public QDialog
{
    Q_OBJECT
public:
    explicit PwdInputForm(QWidget* parent = nullptr);
    void confirm(); // "确定(&O)"

    QLabel* LblPrompt = nullptr;
    QLineEdit* EditPwd = nullptr;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;
};

// TLockScreenForm: borderless, full screen and modal over every window;
// every attempt to close it (click, Esc, Alt+F4) asks the password, and only
// the right password closes it.
class LockScreenForm : public QDialog
{
    Q_OBJECT
public:
    // `picture` and `wordPicture`: the main window's two pictures (may be null).
    explicit LockScreenForm(const QPixmap& picture = QPixmap(), const QPixmap& wordPicture = QPixmap(),
                            QWidget* parent = nullptr);

    // The question asked on every attempt to close; the password prompt by default.
    void setPasswordPrompt(std::function<bool(QWidget*)> prompt) { m_prompt = std::move(prompt); }
    // Asks the password; closes the screen when it is right.
    bool tryUnlock();
    bool isUnlocked() const { return m_unlocked; }

    QLabel* ImgMain = nullptr;
    QLabel* ImgWord = nullptr;
    QLabel* LblUnlock = nullptr;

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QWidget*)> m_prompt;
    bool m_unlocked = false;
    bool m_asking = false;
};

// The password prompt: true when the current user typed the right password.
bool PasswordPrompt(QWidget* parent = nullptr);
// Shows the lock screen modally until the current user's password is typed.
void ShowLockScreen(const QPixmap& picture = QPixmap(), const QPixmap& wordPicture = QPixmap(),
                    QWidget* parent = nullptr);
// The change password window, modal.
void ShowModPwdForm(QWidget* parent = nullptr);

} // namespace dedizo
