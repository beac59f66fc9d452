#include "admin/Login.h"

#include "admin/PasswordDigest.h"
#include "core/ConfigManager.h"
#include "core/DataModule.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace dedizo {

namespace {
const QString kAdmin = QStringLiteral("Admin");
}

QString LoginMessage(LoginResult result)
{
    switch (result) {
    case LoginResult::LoggedIn:
        return {};
    case LoginResult::EmptyCode:
        return QStringLiteral("请输入您的用户名称!");
    case LoginResult::NoSuchUser:
        return QStringLiteral("您输入的用户名不存在!");
    case LoginResult::Locked:
        return QStringLiteral("该用户已被管理员锁定，无法登录。");
    case LoginResult::WrongPassword:
        return QStringLiteral(
            "密码错误。\r\n提示：系统无初始密码（密码清空不填写），直接点登录进入；如已修改密码，"
            "请正确输入。");
    }
    return {};
}

QStringList LoginUserCodes()
{
    QStringList codes;
    QueryList(codes, QStringLiteral("SELECT UserCode FROM Users_tab"));
    for (QString& c : codes)
        c = c.trimmed();
    const bool hasAdmin =
        std::any_of(codes.begin(), codes.end(), [](const QString& c) { return isAdministrator(c); });
    if (!hasAdmin) {
        mainConnection().execute(
            QStringLiteral("INSERT INTO Users_tab(UserCode, UserName, UserPwd)VALUES(?, ?, ?)"),
            {kAdmin, QStringLiteral("管理员"), EmptyPasswordDigest()});
        codes << kAdmin;
    }
    return codes;
}

QString LastUserName()
{
    return ConfigManager::instance().ReadString(QStringLiteral("UI"), QStringLiteral("LastUserName"), kAdmin);
}

QString PreselectedUserCode(const QStringList& codes, const QString& code)
{
    for (const QString& c : codes)
        if (c.compare(code, Qt::CaseInsensitive) == 0)
            return c;
    return kAdmin;
}

LoginResult TryLogin(const QString& code, const QString& password)
{
    const QString typed = code.trimmed();
    if (typed.isEmpty())
        return LoginResult::EmptyCode;
    // Compared by the database's own rules, as every other lookup of a code.
    QSqlQuery q = mainConnection().select(QStringLiteral("SELECT * FROM Users_tab WHERE UserCode = ") +
                                          QuoteSQL(typed));
    if (!q.next())
        return LoginResult::NoSuchUser;
    const QSqlRecord r = q.record();
    // PostgreSQL spells the names in lower case.
    auto value = [&](const char* name) {
        for (int i = 0; i < r.count(); ++i)
            if (r.fieldName(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return q.value(i);
        return QVariant();
    };
    if (value("IsLock").toInt() != 0)
        return LoginResult::Locked;
    const QString stored = value("UserPwd").toString().trimmed();
    if (!PasswordMatches(password, stored))
        return LoginResult::WrongPassword;

    UserInfo& user = currentUser();
    user.UserID = value("UserID").toInt();
    user.UserCode = value("UserCode").toString().trimmed();
    user.UserPwd = stored;
    user.UserName = value("UserName").toString().trimmed();
    user.BookRoom = value("Title").toString().trimmed();
    user.Dept = value("Dept").toString().trimmed();
    ConfigManager::instance().WriteString(QStringLiteral("UI"), QStringLiteral("LastUserName"),
                                          user.UserCode);
    return LoginResult::LoggedIn;
}

bool AutoLoginApplies(const QStringList& codes, const QString& shownCode, const QString& password)
{
    if (codes.size() != 1 || shownCode != kAdmin || !password.isEmpty())
        return false;
    const QString stored =
        QueryValue(QStringLiteral("SELECT UserPwd FROM Users_tab WHERE UserCode = 'Admin'"));
    return stored.trimmed() == EmptyPasswordDigest();
}

} // namespace dedizo
