#pragma once

#include "core/ui/FatherForm.h"

class QAction;

namespace dedizo {

// TUserForm ("用户授权设置", key 52): the operators over DM1().UserQuery
// ("SELECT * FROM Users_tab", the password column hidden). Every action
// that changes data carries the operate tag; export and print are the
// list window's own.
class UserForm : public FatherForm
{
    Q_OBJECT
public:
    explicit UserForm(QWidget* parent = nullptr);
    ~UserForm() override;

    void addUser();       // 新增(&A)
    void editUser();      // 修改(&M)
    void deleteUser();    // 删除(&D)
    void grantRights();   // 授权(&E)
    void resetPassword(); // 重置密码

    QAction* ActionAdd = nullptr;
    QAction* ActionEdit = nullptr;
    QAction* ActionDelete = nullptr;
    QAction* ActionGrant = nullptr;
    QAction* ActionResetPwd = nullptr;

private:
    void openEditor();
};

} // namespace dedizo
