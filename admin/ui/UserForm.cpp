#include "admin/ui/UserForm.h"

#include "admin/PasswordDigest.h"
#include "admin/UsersAdmin.h"
#include "admin/ui/RightsTags.h"
#include "admin/ui/UserAccForm.h"
#include "admin/ui/UserEditForm.h"
#include "core/DatasetModel.h"
#include "core/Prompts.h"
#include "core/SharedDatasets.h"
#include "core/UserInfo.h"
#include "core/ui/FunctionWindows.h"
#include "core/ui/GridOutputForm.h"

#include <QAction>
#include <QHeaderView>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace dedizo {

namespace {

QAction* toolAction(QToolBar* bar, QObject* owner, const QString& name, const QString& text, int tag)
{
    auto* a = new QAction(text, owner);
    a->setObjectName(name);
    setRightsTag(a, tag);
    bar->addAction(a);
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

UserForm::UserForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户授权设置"));
    setObjectName(QStringLiteral("UserForm"));
    resize(820, 480);

    ToolBar = new QToolBar(this);
    ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ActionAdd =
        toolAction(ToolBar, this, QStringLiteral("ActionAdd"), QStringLiteral("新增(&A)"), kOperateTag);
    ActionEdit =
        toolAction(ToolBar, this, QStringLiteral("ActionEdit"), QStringLiteral("修改(&M)"), kOperateTag);
    ActionDelete =
        toolAction(ToolBar, this, QStringLiteral("ActionDelete"), QStringLiteral("删除(&D)"), kOperateTag);
    ToolBar->addSeparator();
    ActionGrant =
        toolAction(ToolBar, this, QStringLiteral("ActionGrant"), QStringLiteral("授权(&E)"), kOperateTag);
    ActionResetPwd =
        toolAction(ToolBar, this, QStringLiteral("ActionResetPwd"), QStringLiteral("重置密码"), kOperateTag);
    ToolBar->addSeparator();
    ActionExport =
        toolAction(ToolBar, this, QStringLiteral("ActionExport"), QStringLiteral("导出"), kPrintTag);
    ActionClose = toolAction(ToolBar, this, QStringLiteral("ActionClose"), QStringLiteral("关闭(&C)"), 0);

    Dataset& users = DM1().UserQuery;
    users.close();
    users.setSql(QStringLiteral("SELECT * FROM Users_tab"));
    users.open();
    m_model = new DatasetModel(&users, this);
    Grid = new QTableView(this);
    Grid->setModel(m_model);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->horizontalHeader()->setStretchLastSection(true);
    for (int i = 0; i < users.fieldCount(); ++i)
        Grid->setColumnHidden(i, users.field(i).hidden);
    if (!users.isEmpty())
        Grid->selectRow(0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ToolBar);
    layout->addWidget(Grid);

    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [](const QModelIndex& current) {
                Dataset& ds = DM1().UserQuery;
                if (current.isValid() && !ds.isEditing())
                    ds.setCurrentRow(current.row());
            });
    connect(Grid, &QTableView::doubleClicked, this, [this] {
        if (ActionEdit->isEnabled())
            ActionEdit->trigger();
    });
    connect(ActionAdd, &QAction::triggered, this, &UserForm::addUser);
    connect(ActionEdit, &QAction::triggered, this, &UserForm::editUser);
    connect(ActionDelete, &QAction::triggered, this, &UserForm::deleteUser);
    connect(ActionGrant, &QAction::triggered, this, &UserForm::grantRights);
    connect(ActionResetPwd, &QAction::triggered, this, &UserForm::resetPassword);
    connect(ActionExport, &QAction::triggered, this, [this] { GridOutputForm::exportView(Grid, this); });
    connect(ActionClose, &QAction::triggered, this, &QDialog::accept);
}

UserForm::~UserForm()
{
    DM1().UserQuery.close();
}

void UserForm::syncGridRow()
{
    const int row = DM1().UserQuery.currentRow();
    if (row >= 0)
        Grid->selectRow(row);
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
    syncGridRow();
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
    syncGridRow();
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
