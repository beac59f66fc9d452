#include "core/SqlDialects.h"

namespace dedizo {

namespace {

const QString kCopiesJoinAliased = QStringLiteral(
    "SELECT Copies_tab.*, Books_tab.*, Copies_tab.BookID AS %1Copies_tab.BookID%1, Copies_tab.RegDate AS "
    "%1Copies_tab.RegDate%1, Copies_tab.Operator AS %1Copies_tab.Operator%1, Books_tab.RegDate AS "
    "%1Books_tab.RegDate%1, Books_tab.Operator AS %1Books_tab.Operator%1 FROM Copies_tab LEFT JOIN Books_tab "
    "ON "
    "Copies_tab.BookID = Books_tab.BookID");

QString isoDateTime(const QDateTime& dt)
{
    if (dt.time() == QTime(0, 0))
        return dt.date().toString(QStringLiteral("yyyy-MM-dd"));
    return dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Inside an already quoted LIKE pattern: the code with apostrophes doubled.
QString codeInText(const QString& classCode)
{
    QString c = classCode;
    return c.replace(QLatin1Char('\''), QLatin1String("''"));
}

} // namespace

// ---------------------------------------------------------------- SQLite

QString SqliteDialect::typeText() const
{
    return QStringLiteral("文件数据库");
}

QString SqliteDialect::dateLiteral(const QDate& date) const
{
    return quote(date.toString(QStringLiteral("yyyy-MM-dd")));
}

QString SqliteDialect::dateTimeLiteral(const QDateTime& dateTime) const
{
    return quote(isoDateTime(dateTime));
}

QVariant SqliteDialect::dateValue(const QDate& date) const
{
    return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
}

QVariant SqliteDialect::dateTimeValue(const QDateTime& dateTime) const
{
    return dateTime.isValid() ? QVariant(isoDateTime(dateTime)) : QVariant();
}

QString SqliteDialect::addDays(const QString& dateExpr, const QString& daysExpr) const
{
    return QStringLiteral("date(%1, (%2) || ' days')").arg(dateExpr, daysExpr);
}

QString SqliteDialect::dayDifference(const QString& fromExpr, const QString& toExpr) const
{
    return QStringLiteral("CAST(julianday(date(%2)) - julianday(date(%1)) AS INTEGER)").arg(fromExpr, toExpr);
}

QString SqliteDialect::overdueDaysExpression() const
{
    return dayDifference(QStringLiteral("ShouldReturnDate"),
                         QStringLiteral("COALESCE(FactReturnDate, date('now','localtime'))"));
}

QString SqliteDialect::nullToEmpty(const QString& column) const
{
    return QStringLiteral("IFNULL(%1, '')").arg(quoteName(column));
}

QString SqliteDialect::selectTop(int n, const QString& selectRest) const
{
    return QStringLiteral("SELECT %1 LIMIT %2").arg(selectRest).arg(n);
}

QString SqliteDialect::copiesJoinSelect() const
{
    return kCopiesJoinAliased.arg(QLatin1Char('"'));
}

QString SqliteDialect::callNumberMaxQuery(const QString& classCode) const
{
    // CAST of text to INTEGER takes the leading digits and gives 0 for none.
    return QStringLiteral(
               "SELECT MAX(CAST(substr(BookCode, %1) AS INTEGER)) FROM Copies_tab WHERE BookCode LIKE '%2/%'")
        .arg(classCode.size() + 2)
        .arg(codeInText(classCode));
}

// ---------------------------------------------------------------- PostgreSQL

QString PostgresDialect::dateLiteral(const QDate& date) const
{
    return quote(date.toString(QStringLiteral("yyyy-MM-dd")));
}

QString PostgresDialect::dateTimeLiteral(const QDateTime& dateTime) const
{
    return quote(isoDateTime(dateTime));
}

QString PostgresDialect::addDays(const QString& dateExpr, const QString& daysExpr) const
{
    return QStringLiteral("(CAST(%1 AS DATE) + (%2))").arg(dateExpr, daysExpr);
}

QString PostgresDialect::dayDifference(const QString& fromExpr, const QString& toExpr) const
{
    return QStringLiteral("(CAST(%2 AS DATE) - CAST(%1 AS DATE))").arg(fromExpr, toExpr);
}

QString PostgresDialect::overdueDaysExpression() const
{
    return dayDifference(QStringLiteral("ShouldReturnDate"),
                         QStringLiteral("COALESCE(FactReturnDate, CURRENT_DATE)"));
}

QString PostgresDialect::nullToEmpty(const QString& column) const
{
    return QStringLiteral("COALESCE(%1, '')").arg(quoteName(column));
}

QString PostgresDialect::selectTop(int n, const QString& selectRest) const
{
    return QStringLiteral("SELECT %1 LIMIT %2").arg(selectRest).arg(n);
}

QString PostgresDialect::emptyTable(const QString& table) const
{
    return QStringLiteral("TRUNCATE TABLE %1 RESTART IDENTITY").arg(table);
}

QStringList PostgresDialect::identityInsertEnd(const QString& table, const QString& keyColumn) const
{
    // Keys given explicitly do not advance the identity; move it past them.
    return {QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', '%2'), "
                           "COALESCE((SELECT MAX(%2) FROM %1), 0) + 1, false)")
                .arg(table.toLower(), keyColumn.toLower())};
}

QString PostgresDialect::copiesJoinSelect() const
{
    return kCopiesJoinAliased.arg(QLatin1Char('"'));
}

QString PostgresDialect::callNumberMaxQuery(const QString& classCode) const
{
    return QStringLiteral("SELECT MAX(CAST(substring(substr(BookCode, %1) FROM '^[0-9]{1,18}') AS BIGINT)) "
                          "FROM Copies_tab WHERE BookCode LIKE '%2/%'")
        .arg(classCode.size() + 2)
        .arg(codeInText(classCode));
}

// ---------------------------------------------------------------- SQL Server

QString SqlServerDialect::dateLiteral(const QDate& date) const
{
    return quote(date.toString(QStringLiteral("yyyy/MM/dd")));
}

QString SqlServerDialect::dateTimeLiteral(const QDateTime& dateTime) const
{
    return quote(dateTime.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
}

QString SqlServerDialect::addDays(const QString& dateExpr, const QString& daysExpr) const
{
    return QStringLiteral("%1 + %2").arg(dateExpr, daysExpr);
}

QString SqlServerDialect::dayDifference(const QString& fromExpr, const QString& toExpr) const
{
    return QStringLiteral("DATEDIFF(DAY, %1, %2)").arg(fromExpr, toExpr);
}

QString SqlServerDialect::overdueDaysExpression() const
{
    return QStringLiteral("DATEDIFF(DAY, ShouldReturnDate, ISNULL(FactReturnDate, GETDATE()))");
}

QString SqlServerDialect::nullToEmpty(const QString& column) const
{
    return QStringLiteral("ISNULL(%1, '')").arg(quoteName(column));
}

QString SqlServerDialect::selectTop(int n, const QString& selectRest) const
{
    return QStringLiteral("SELECT TOP %1 %2").arg(n).arg(selectRest);
}

QStringList SqlServerDialect::identityInsertBegin(const QString& table) const
{
    return {QStringLiteral("SET IDENTITY_INSERT %1 ON").arg(table)};
}

QStringList SqlServerDialect::identityInsertEnd(const QString& table, const QString&) const
{
    return {QStringLiteral("SET IDENTITY_INSERT %1 OFF").arg(table)};
}

QString SqlServerDialect::copiesJoinSelect() const
{
    return kCopiesJoinAliased.arg(QLatin1Char('\''));
}

QString SqlServerDialect::callNumberMaxQuery(const QString& classCode) const
{
    QString text = QStringLiteral("SELECT MAX(CAST(LEFT(REPLACE(BookCode, '%s/', ''), CASE "
                                  "PATINDEX('%[^0-9]%', REPLACE(BookCode, '%s/', '')) "
                                  "WHEN 0 THEN 99 ELSE PATINDEX('%[^0-9]%', REPLACE(BookCode, '%s/', '')) "
                                  "END - 1)AS INT))FROM Copies_tab "
                                  "WHERE BookCode LIKE '%s/%'");
    return text.replace(QLatin1String("%s"), codeInText(classCode));
}

QString SqlServerDialect::pagedSelect(const QString& sql, bool hasOrderBy, int offset, int limit) const
{
    const QString order = hasOrderBy ? QString() : QStringLiteral("\nORDER BY (SELECT NULL)");
    return sql.trimmed() + order + QStringLiteral("\nOFFSET ") + QString::number(offset) +
           QStringLiteral(" ROWS FETCH NEXT ") + QString::number(limit) + QStringLiteral(" ROWS ONLY");
}

QString SqlServerDialect::insertReturningKey(const QString& table, const QStringList& columns,
                                             const QString& keyColumn) const
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    if (columns.isEmpty())
        return QStringLiteral("INSERT INTO %1 OUTPUT INSERTED.%2 DEFAULT VALUES").arg(table, keyColumn);
    return QStringLiteral("INSERT INTO %1 (%2) OUTPUT INSERTED.%3 VALUES (%4)")
        .arg(table, columns.join(QStringLiteral(", ")), keyColumn, marks.join(QStringLiteral(", ")));
}

} // namespace dedizo
