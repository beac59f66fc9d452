#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace dedizo {

class Dataset;

// The small database helpers every window uses. They run on the main
// connection; database errors propagate as DatabaseError.

// The text between single quotes, every single quote inside doubled.
QString QuoteSQL(const QString& text);

// First column of the first row as text: empty without a row or for null,
// "1"/"0" for a boolean.
QString QueryValue(const QString& sql);
// Appends the named field (or the first column) of every row as text.
void QueryList(QStringList& list, const QString& sql, const QString& fieldName = QString());
// Closes the dataset, sets its SQL, drops any local filter and opens it.
void OpenQuery(Dataset& dataset, const QString& sql);
// The same; without SQL text the current text is opened again.
void ReopenQuery(Dataset& dataset, const QString& sql = QString());

// SELECT COUNT(field) FROM table WHERE field = value [AND extra] is not 0.
bool ValueExists(const QString& value, const QString& field, const QString& table,
                 const QString& extra = QString(), bool quote = true);
// Record rules: show "%s不能为空。" / "您输入的%s已存在。", ask the window to
// focus the field and abandon the save (AbortSilently).
void CheckNotEmpty(Dataset& dataset, const QString& field, const QString& caption = QString());
void CheckUnique(Dataset& dataset, const QString& field, const QString& table,
                 const QString& extra = QString(), const QString& caption = QString());
// Both as text, trimmed, compared without regard to case.
bool SameValueText(const QVariant& a, const QVariant& b);
bool TableExists(const QString& table);

// The database's current date and time (the workstation clock on the file database).
QDateTime ServerNow();
// "yyyy/MM/dd", with " HH:mm:ss" when withTime.
QString ServerDateText(bool withTime = false);
QString SQLDateLiteral(const QDate& date);
QString SQLDateTimeLiteral(const QDateTime& dateTime);
QString SQLTodayLiteral();
// Tests pin the clock; an invalid value returns to the real one.
void setClockOverride(const QDateTime& now);

// True when the first command-line argument is exactly "-debug".
bool IsDebugMode(const QStringList& arguments);
QString ComputerName();

} // namespace dedizo
