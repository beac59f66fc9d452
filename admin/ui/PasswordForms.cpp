#include "admin/ui/PasswordForms.h"

#include "admin/PasswordDigest.h"
#include "admin/UsersAdmin.h"
#include "core/Prompts.h"
#include "core/UserInfo.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace dedizo {

namespace {

QLineEdit* passwordEdit(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QPushButton* plainButton(const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setAutoDefault(false);
    return b;
}

} // namespace

// --- change password ---

ModPwdForm::ModPwdForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("修改密码"));
    EditUserCode = new QLineEdit(currentUser().UserCode, this);
    EditUserCode->setReadOnly(true);
    EditOldPwd = passwordEdit(this);
    EditNewPwd = passwordEdit(this);
    EditNewPwd2 = passwordEdit(this);
    BtnModify = plainButton(QStringLiteral("修改(&M)"), this);
    BtnCancel = plainButton(QStringLiteral("取消(&C)"), this);
    BtnModify->setEnabled(currentUser().isLoggedIn());

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("登录代号："), EditUserCode);
    form->addRow(QStringLiteral("原来密码："), EditOldPwd);
    form->addRow(QStringLiteral("新密码："), EditNewPwd);
    form->addRow(QStringLiteral("重复新密码："), EditNewPwd2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnModify);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    // Enter moves to the next field.
    connect(EditOldPwd, &QLineEdit::returnPressed, EditNewPwd, [this] { EditNewPwd->setFocus(); });
    connect(EditNewPwd, &QLineEdit::returnPressed, EditNewPwd2, [this] { EditNewPwd2->setFocus(); });
    connect(EditNewPwd2, &QLineEdit::returnPressed, BtnModify, [this] { BtnModify->setFocus(); });
    connect(BtnModify, &QPushButton::clicked, this, &ModPwdForm::modify);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    EditOldPwd->setFocus();
}

void ModPwdForm::modify()
{
    const ChangePasswordResult r =
        ChangePassword(EditOldPwd->text(), EditNewPwd->text(), EditNewPwd2->text());
    switch (r) {
    case ChangePasswordResult::Changed:
        accept();
        return;
    case ChangePasswordResult::NotLoggedIn:
        return;
    case ChangePasswordResult::WrongOldPassword:
    case ChangePasswordResult::Mismatch:
        prompts().message(Prompts::Icon::Error, ChangePasswordMessage(r));
        return;
    }
}

// --- password prompt ---

PwdInputForm::PwdInputForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("密码"));
    LblPrompt = new QLabel(QStringLiteral("请输入 %1 的密码：").arg(currentUser().UserCode), this);
    EditPwd = passwordEdit(this);
    BtnOK = plainButton(QStringLiteral("确定(&O)"), this);
    BtnCancel = plainButton(QStringLiteral("取消(&C)"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BtnOK);
    buttons->addWidget(BtnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LblPrompt);
    layout->addWidget(EditPwd);
    layout->addLayout(buttons);
    connect(EditPwd, &QLineEdit::returnPressed, this, &PwdInputForm::confirm);
    connect(BtnOK, &QPushButton::clicked, this, &PwdInputForm::confirm);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    EditPwd->setFocus();
}

void PwdInputForm::confirm()
{
    if (currentUser().isLoggedIn() && PasswordMatches(EditPwd->text(), currentUser().UserPwd)) {
        accept();
        return;
    }
    prompts().message(Prompts::Icon::Information, QStringLiteral("密码错误，请重新输入。"));
    EditPwd->clear();
    EditPwd->setFocus();
}

bool PasswordPrompt(QWidget* parent)
{
    PwdInputForm form(parent);
    return form.exec() == QDialog::Accepted;
}

// --- lock screen ---

LockScreenForm::LockScreenForm(const QPixmap& picture, const QPixmap& wordPicture, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_prompt(PasswordPrompt)
{
    setWindowModality(Qt::ApplicationModal);
    setObjectName(QStringLiteral("LockScreenForm"));
    setStyleSheet(QStringLiteral("QDialog#LockScreenForm { background: #1f3b57; } QLabel { color: white; }"));
    ImgMain = new QLabel(this);
    ImgWord = new QLabel(this);
    LblUnlock = new QLabel(QStringLiteral("点击屏幕解锁"), this);
    QFont f = LblUnlock->font();
    f.setPointSize(16);
    LblUnlock->setFont(f);
    if (!picture.isNull())
        ImgMain->setPixmap(picture);
    if (!wordPicture.isNull())
        ImgWord->setPixmap(wordPicture);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(ImgWord, 0, Qt::AlignHCenter);
    layout->addWidget(ImgMain, 0, Qt::AlignHCenter);
    layout->addWidget(LblUnlock, 0, Qt::AlignHCenter);
    layout->addStretch();
    for (QLabel* l : {ImgMain, ImgWord, LblUnlock}) {
        l->setCursor(Qt::PointingHandCursor);
        l->installEventFilter(this);
    }
    setWindowState(Qt::WindowMaximized);
}

bool LockScreenForm::tryUnlock()
{
    if (m_unlocked)
        return true;
    if (m_asking)
        return false;
    m_asking = true;
    const bool ok = m_prompt ? m_prompt(this) : false;
    m_asking = false;
    if (ok) {
        m_unlocked = true;
        QDialog::accept();
    }
    return ok;
}

void LockScreenForm::reject()
{
    // Esc and every other way of dismissing the dialog.
    tryUnlock();
}

void LockScreenForm::closeEvent(QCloseEvent* event)
{
    if (m_unlocked || tryUnlock())
        event->accept();
    else
        event->ignore();
}

bool LockScreenForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        tryUnlock();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ShowLockScreen(const QPixmap& picture, const QPixmap& wordPicture, QWidget* parent)
{
    LockScreenForm form(picture, wordPicture, parent);
    form.showFullScreen();
    form.exec();
}

void ShowModPwdForm(QWidget* parent)
{
    ModPwdForm form(parent);
    form.exec();
}

} // namespace dedizo
