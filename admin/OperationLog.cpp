#include "admin/OperationLog.h"

#include "core/DataModule.h"
#include "core/DatabaseError.h"
#include "core/DbUtils.h"
#include "core/UserInfo.h"
#include "schema/ColumnCatalog.h"

#include <QAtomicInt>

namespace dedizo {

namespace {

const QString kNotLoggedIn = QStringLiteral("<未登录>");

// A value cut to the width of its UserLog_tab column, so a long window
// caption never makes the insert (and so the window's opening) fail.
QString fit(const QString& column, const QString& value)
{
    const ColumnDef* def = ColumnCatalog::column(QStringLiteral("UserLog_tab"), column);
    return def && def->size > 0 ? value.left(def->size) : value;
}

void insertRow(Connection& c, const OperationLogRow& row, const QDate& date)
{
    const QString sql =
        QStringLiteral("INSERT INTO UserLog_tab(LogDate,LogTime,WinName,OperateContent,UserCode,"
                       "UserName,%1,ComputerName)VALUES(?,?,?,?,?,?,?,?)")
            .arg(c.dialect().quoteName(QStringLiteral("Memo")));
    c.execute(sql, {c.dialect().dateValue(date), row.logTime, row.winName, row.operateContent, row.userCode,
                    row.userName, row.memo, row.computerName});
}

} // namespace

OperationLogRow MakeOperationLogRow(const QDateTime& now, const QString& winName, const QString& operation,
                                    const QString& memo)
{
    const UserInfo& user = currentUser();
    OperationLogRow row;
    row.logDate = now.toString(QStringLiteral("yyyy/MM/dd"));
    row.logTime = now.toString(QStringLiteral("HH:mm:ss"));
    row.winName = fit(QStringLiteral("WinName"), winName);
    row.operateContent = fit(QStringLiteral("OperateContent"), operation);
    row.userCode = fit(QStringLiteral("UserCode"), user.isLoggedIn() ? user.UserCode : kNotLoggedIn);
    row.userName = fit(QStringLiteral("UserName"), user.isLoggedIn() ? user.UserName : kNotLoggedIn);
    row.memo = fit(QStringLiteral("Memo"), memo);
    row.computerName = fit(QStringLiteral("ComputerName"), ComputerName());
    return row;
}

void WriteOperationLog(const QString& winName, const QString& operation, const QString& memo)
{
    const QDateTime now = ServerNow();
    const OperationLogRow row = MakeOperationLogRow(now, winName, operation, memo);

    Connection& main = mainConnection();
    if (!main.inTransaction()) {
        insertRow(main, row, now.date());
        return;
    }
    static QAtomicInt serial;
    Connection side(main.params(), QStringLiteral("OperationLog%1").arg(serial.fetchAndAddRelaxed(1)));
    QString error;
    if (!side.open(&error))
        throw DatabaseError(error);
    insertRow(side, row, now.date());
}

} // namespace dedizo
