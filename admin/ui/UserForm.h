#pragma once

#include <QDialog>

class QAction;
class QTableView;
class QToolBar;

namespace dedizo {

class DatasetModel;

// TUserForm ("用户授权设置", key 52): the operators over DM1().UserQuery
// ("SELECT * FROM Users_tab", the password column hidden). Every action
// that changes data carries the operate tag.
class UserForm : public QDialog
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

    QToolBar* ToolBar = nullptr;
    QAction* ActionAdd = nullptr;
    QAction* ActionEdit = nullptr;
    QAction* ActionDelete = nullptr;
    QAction* ActionGrant = nullptr;
    QAction* ActionResetPwd = nullptr;
    QAction* ActionExport = nullptr;
    QAction* ActionClose = nullptr;
    QTableView* Grid = nullptr;

private:
    void openEditor();
    void syncGridRow();
    DatasetModel* m_model = nullptr;
};

} // namespace dedizo
