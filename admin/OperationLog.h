#pragma once

#include <QDateTime>
#include <QString>

namespace dedizo {

// Writes one row of UserLog_tab: the server's date and 24-hour time, the
// window name, the operation, the logged-in user (or "<未登录>" twice), the
// memo and this computer's name. Values are bound, never pasted into the
// statement, and cut to their column widths.
//
// The row never belongs to a transaction of the caller: outside one it goes
// through the main connection; inside one it is written by a short-lived
// second connection to the same database, so a rollback of the caller's work
// keeps the log row. (The file database allows one writer at a time: there a
// caller's transaction that has already written makes the second connection
// wait for the lock and fail. No caller writes the log in that state.)
// A database error reaches the caller.
void WriteOperationLog(const QString& winName, const QString& operation, const QString& memo = QString());

// The values of a log row, in the table's column order (tests and the writer).
struct OperationLogRow
{
    QString logDate; // "yyyy/MM/dd"
    QString logTime; // "HH:mm:ss"
    QString winName;
    QString operateContent;
    QString userCode;
    QString userName;
    QString memo;
    QString computerName;
};
// `now` is one reading of the server clock: date and time come from it.
OperationLogRow MakeOperationLogRow(const QDateTime& now, const QString& winName, const QString& operation,
                                    const QString& memo);

} // namespace dedizo
