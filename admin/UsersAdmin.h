#pragma once

#include <QStringList>
#include <functional>

namespace dedizo {

// The user management steps of the users window, without widgets.

// Deletes the user's rights rows, then runs `deleteUserRow` (the users list
// removing its current row), in one transaction. Any error rolls back and
// raises DatabaseError "更新数据库时出错,请重试!".
void DeleteUserWithRights(int userId, const std::function<void()>& deleteUserRow);

// Gives a user who never had rights one row per function: open false,
// operate and print true, in one transaction. Any error rolls back and
// raises DatabaseError "更新数据库时出错，请重试！".
void CreateMissingRights(int userId);

// The rights editor's query (DM1().FunQuery) for a user.
QStringList FunQuerySql(int userId);

// Change of the logged-in user's password.
enum class ChangePasswordResult
{
    Changed,
    NotLoggedIn,
    WrongOldPassword, // "原密码错误,请重新输入!"
    Mismatch,         // "两次输入的新密码不相同!"
};
QString ChangePasswordMessage(ChangePasswordResult result);
ChangePasswordResult ChangePassword(const QString& oldPassword, const QString& newPassword,
                                    const QString& repeated);

} // namespace dedizo
