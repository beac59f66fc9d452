#include "admin/ui/UserForm.h"

#include "admin/PasswordDigest.h"
#include "admin/UsersAdmin.h"
#include "admin/ui/RightsTags.h"
#include "admin/ui/UserAccForm.h"
#include "admin/ui/UserEditForm.h"
#include "core/Prompts.h"
#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/FunctionWindows.h"

#include <QAction>

namespace dedizo {

namespace {

QAction* userAction(FatherForm* form, const QString& name, const QString& text)
{
    auto* a = new QAction(text, form);
    a->setObjectName(name);
    setActionTag(a, TagOperate); // every action of the window changes data
    form->addToolAction(a);
    return a;
}

// Editors opened from the list: no rights row of their own.
int openUnderList(const QString& className, const QString& caption, std::function<QDialog*(QWidget*)> create,
                  QWidget* parent)
{
    FunctionWindow w{-1, className, caption,
                     [create](QWidget* p, const QString&) -> QDialog* { return create(p); }};
    return OpenFunctionWindow(w, QString(), parent);
}

} // namespace

UserForm::UserForm(QWidget* parent) : FatherForm(&DM1().UserQuery, parent)
{
    setWindowTitle(QStringLiteral("用户授权设置"));
    setObjectName(QStringLiteral("UserForm"));

    ActionAdd = userAction(this, QStringLiteral("ActionAdd"), QStringLiteral("新增(&A)"));
    ActionEdit = userAction(this, QStringLiteral("ActionEdit"), QStringLiteral("修改(&M)"));
    ActionDelete = userAction(this, QStringLiteral("ActionDelete"), QStringLiteral("删除(&D)"));
    ActionGrant = userAction(this, QStringLiteral("ActionGrant"), QStringLiteral("授权(&E)"));
    ActionResetPwd = userAction(this, QStringLiteral("ActionResetPwd"), QStringLiteral("重置密码"));
    setEditAction(ActionEdit);

    Dataset& users = DM1().UserQuery;
    users.close();
    users.sql() = SQLBuilder::SQL(QStringLiteral("SELECT * FROM Users_tab")).split(QLatin1Char('\n'));
    ApplyWhere(QString());

    connect(ActionAdd, &QAction::triggered, this, &UserForm::addUser);
    connect(ActionEdit, &QAction::triggered, this, &UserForm::editUser);
    connect(ActionDelete, &QAction::triggered, this, &UserForm::deleteUser);
    connect(ActionGrant, &QAction::triggered, this, &UserForm::grantRights);
    connect(ActionResetPwd, &QAction::triggered, this, &UserForm::resetPassword);
}

UserForm::~UserForm()
{
    DM1().UserQuery.close();
}

void UserForm::openEditor()
{
    Dataset& users = DM1().UserQuery;
    try {
        openUnderList(
            QStringLiteral("TUserEditForm"), QStringLiteral("用户信息维护"),
            [](QWidget* p) { return new UserEditForm(p); }, this);
    } catch (...) {
        if (users.isEditing())
            users.cancel();
        throw;
    }
    if (users.isEditing())
        users.cancel();
}

void UserForm::addUser()
{
    Dataset& users = DM1().UserQuery;
    users.append();
    users.setValue(QStringLiteral("UserPwd"), EmptyPasswordDigest());
    openEditor();
}

void UserForm::editUser()
{
    Dataset& users = DM1().UserQuery;
    if (users.isEmpty())
        return;
    users.edit();
    openEditor();
}

void UserForm::deleteUser()
{
    Dataset& users = DM1().UserQuery;
    if (users.isEmpty())
        return;
    if (isAdministrator(users.text(QStringLiteral("UserCode")).trimmed())) {
        prompts().message(Prompts::Icon::Information, QStringLiteral("管理员帐户不能删除。"));
        return;
    }
    if (!Confirm(QStringLiteral("确定要删除当前记录吗?")))
        return;
    DeleteUserWithRights(users.value(QStringLiteral("UserID")).toInt(), [&users] { users.remove(); });
}

void UserForm::grantRights()
{
    Dataset& users = DM1().UserQuery;
    if (users.isEmpty())
        return;
    if (isAdministrator(users.text(QStringLiteral("UserCode")).trimmed())) {
        prompts().message(Prompts::Icon::Information,
                          QStringLiteral("管理员帐户自动拥有所有权限，无需授权。"));
        return;
    }
    openUnderList(
        QStringLiteral("TUserAccForm"), QStringLiteral("用户授权"),
        [](QWidget* p) { return new UserAccForm(p); }, this);
}

void UserForm::resetPassword()
{
    Dataset& users = DM1().UserQuery;
    if (users.isEmpty())
        return;
    const QString code = users.text(QStringLiteral("UserCode")).trimmed();
    if (!Confirm(QStringLiteral("确定要重置用户 %1 的密码为空吗？").arg(code)))
        return;
    users.edit();
    users.setValue(QStringLiteral("UserPwd"), EmptyPasswordDigest());
    try {
        users.post();
    } catch (...) {
        users.cancel();
        throw;
    }
    prompts().message(Prompts::Icon::Information, QStringLiteral("密码重置成功！"));
}

} // namespace dedizo
