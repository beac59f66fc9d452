#pragma once

#include <QStringList>

namespace dedizo {

// What a login attempt came to; the login window shows the message.
enum class LoginResult
{
    LoggedIn,
    EmptyCode,     // "请输入您的用户名称!"
    NoSuchUser,    // "您输入的用户名不存在!"
    Locked,        // "该用户已被管理员锁定，无法登录。"
    WrongPassword, // "密码错误。..."
};

// The message of a failed attempt (empty for LoggedIn).
QString LoginMessage(LoginResult result);

// The trimmed login codes of Users_tab. Creates the built-in administrator
// "Admin" (name "管理员", empty password) when no code equals it in any
// letter case, and lists it.
QStringList LoginUserCodes();

// Config.ini UI/LastUserName, "Admin" when not set.
QString LastUserName();
// The entry of `codes` equal to `code` in any letter case, else "Admin".
QString PreselectedUserCode(const QStringList& codes, const QString& code);

// Checks the code and password against Users_tab. On success fills
// currentUser() from the row and remembers the code in UI/LastUserName;
// on failure the logged-in user is left as it was.
LoginResult TryLogin(const QString& code, const QString& password);

// The automatic login at program start: exactly one user, the box shows
// exactly "Admin", the password field is empty and Admin's stored digest is
// the empty password's.
bool AutoLoginApplies(const QStringList& codes, const QString& shownCode, const QString& password);

} // namespace dedizo
