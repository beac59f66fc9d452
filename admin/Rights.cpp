#include "admin/Rights.h"

#include "core/SharedDatasets.h"
#include "core/UserInfo.h"

namespace dedizo {

QStringList AccQuerySql(const QString& userCode, int userId)
{
    if (isAdministrator(userCode))
        return {QStringLiteral("SELECT ImgIndex, FunName, 1 AS IsOpen, FunMemo, FunKey, FunCate, IsUsed, "
                               "1 AS IsOperate, 1 AS IsPrint"),
                // The order on a line of its own, as datasets expect it.
                QStringLiteral("FROM UserFun_tab"), QStringLiteral("ORDER BY FunCate, FunCode")};
    return {QStringLiteral("SELECT ImgIndex,FunName,IsOpen,FunMemo,FunKey,FunCate,IsUsed,IsOperate,IsPrint"),
            QStringLiteral("FROM UserFun_tab LEFT JOIN UserAccredit_tab"),
            QStringLiteral("ON UserFun_tab.FunID=UserAccredit_tab.FunID"),
            QStringLiteral("WHERE UserID=") + QString::number(userId),
            QStringLiteral("ORDER BY FunCate,FunCode")};
}

void OpenAccTable()
{
    const UserInfo& user = currentUser();
    Dataset& acc = DM1().AccQuery;
    acc.close();
    acc.sql() = AccQuerySql(user.UserCode, user.UserID);
    acc.setReadOnly(true);
    acc.open();
}

FunctionRights RightsForKey(int key)
{
    const UserInfo& user = currentUser();
    if (user.isLoggedIn() && isAdministrator(user.UserCode))
        return {true, true, true, true};
    FunctionRights r;
    Dataset& acc = DM1().AccQuery;
    if (!user.isLoggedIn() || !acc.isOpen())
        return r;
    // Read the rows without moving the query's current row.
    acc.fetchAll();
    const int keyCol = acc.fieldIndex(QStringLiteral("FunKey"));
    const int openCol = acc.fieldIndex(QStringLiteral("IsOpen"));
    const int operateCol = acc.fieldIndex(QStringLiteral("IsOperate"));
    const int printCol = acc.fieldIndex(QStringLiteral("IsPrint"));
    if (keyCol < 0)
        return r;
    for (int row = 0; row < acc.fetchedCount(); ++row) {
        if (acc.value(row, keyCol).toInt() != key)
            continue;
        r.listed = true;
        r.open = acc.value(row, openCol).toBool();
        r.operate = acc.value(row, operateCol).toBool();
        r.print = acc.value(row, printCol).toBool();
        break;
    }
    return r;
}

bool MayOpenFunction(int key)
{
    const FunctionRights r = RightsForKey(key);
    return r.listed && r.open;
}

bool MayOperateFunction(int key)
{
    const FunctionRights r = RightsForKey(key);
    return r.listed && r.open && r.operate;
}

bool MayPrintFunction(int key)
{
    const FunctionRights r = RightsForKey(key);
    return r.listed && r.open && r.print;
}

} // namespace dedizo
