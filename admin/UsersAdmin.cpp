#include "admin/UsersAdmin.h"

#include "admin/PasswordDigest.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/Prompts.h"
#include "core/UserInfo.h"

#include <QSqlQuery>

namespace dedizo {

void DeleteUserWithRights(int userId, const std::function<void()>& deleteUserRow)
{
    Connection& c = mainConnection();
    try {
        inTransaction(c, [&] {
            c.execute(QStringLiteral("DELETE FROM UserAccredit_tab WHERE UserID=") + QString::number(userId));
            deleteUserRow();
        });
    } catch (const AbortSilently&) {
        throw;
    } catch (const std::exception&) {
        throw DatabaseError(QStringLiteral("更新数据库时出错,请重试!"));
    }
}

void CreateMissingRights(int userId)
{
    Connection& c = mainConnection();
    try {
        inTransaction(c, [&] {
            const QString id = QString::number(userId);
            c.execute(QStringLiteral("DELETE FROM UserAccredit_tab WHERE UserID=") + id);
            QList<int> funIds;
            QSqlQuery q = c.select(QStringLiteral("SELECT FunID FROM UserFun_tab"));
            while (q.next())
                funIds << q.value(0).toInt();
            for (int funId : std::as_const(funIds))
                c.execute(QStringLiteral(
                              "INSERT INTO UserAccredit_tab(UserID,FunID,IsOpen,IsOperate,IsPrint)VALUES(") +
                          id + QLatin1Char(',') + QString::number(funId) + QStringLiteral(",0,1,1)"));
        });
    } catch (const std::exception&) {
        throw DatabaseError(QStringLiteral("更新数据库时出错，请重试！"));
    }
}

QStringList FunQuerySql(int userId)
{
    return {QStringLiteral("SELECT AccID,FunName,IsOpen,IsOperate,IsPrint,FunCate"),
            QStringLiteral("FROM UserAccredit_tab LEFT JOIN UserFun_tab"),
            QStringLiteral("ON UserAccredit_tab.FunID=UserFun_tab.FunID"),
            QStringLiteral("WHERE IsUsed <> 0 AND UserID=") + QString::number(userId) + QLatin1Char(' '),
            QStringLiteral("ORDER BY FunCode")};
}

QString ChangePasswordMessage(ChangePasswordResult result)
{
    switch (result) {
    case ChangePasswordResult::WrongOldPassword:
        return QStringLiteral("原密码错误,请重新输入!");
    case ChangePasswordResult::Mismatch:
        return QStringLiteral("两次输入的新密码不相同!");
    default:
        return {};
    }
}

ChangePasswordResult ChangePassword(const QString& oldPassword, const QString& newPassword,
                                    const QString& repeated)
{
    UserInfo& user = currentUser();
    if (!user.isLoggedIn())
        return ChangePasswordResult::NotLoggedIn;
    if (!PasswordMatches(oldPassword, user.UserPwd))
        return ChangePasswordResult::WrongOldPassword;
    if (newPassword != repeated)
        return ChangePasswordResult::Mismatch;
    const QString digest = PasswordDigest(newPassword);
    const int changed = mainConnection().execute(
        QStringLiteral("UPDATE Users_tab SET UserPwd=?\nWHERE UserID =?"), {digest, user.UserID});
    if (changed == 1)
        user.UserPwd = digest;
    return ChangePasswordResult::Changed;
}

} // namespace dedizo
