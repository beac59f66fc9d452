#pragma once

#include "core/SqlDialect.h"

namespace dedizo {

// The file database: an SQLite file. Dates are kept as ISO text
// ("yyyy-MM-dd", or "yyyy-MM-dd HH:mm:ss" when a time of day is set) so text
// comparisons, BETWEEN and SQLite's date functions agree.
class SqliteDialect final : public SqlDialect
{
public:
    DbKind kind() const override { return DbKind::File; }
    QString typeText() const override;
    QString driverName() const override { return QStringLiteral("QSQLITE"); }
    QString dateLiteral(const QDate& date) const override;
    QString dateTimeLiteral(const QDateTime& dateTime) const override;
    QVariant dateValue(const QDate& date) const override;
    QVariant dateTimeValue(const QDateTime& dateTime) const override;
    QString currentDateTimeQuery() const override { return {}; }
    QString todayExpression() const override { return QStringLiteral("date('now','localtime')"); }
    QString addDays(const QString& dateExpr, const QString& daysExpr) const override;
    QString dayDifference(const QString& fromExpr, const QString& toExpr) const override;
    QString overdueDaysExpression() const override;
    QString nullToEmpty(const QString& column) const override;
    QString selectTop(int n, const QString& selectRest) const override;
    QString randomOrder() const override { return QStringLiteral("RANDOM()"); }
    QString emptyTable(const QString& table) const override { return QStringLiteral("DELETE FROM ") + table; }
    QString copiesJoinSelect() const override;
    QString callNumberMaxQuery(const QString& classCode) const override;
};

// The database server: PostgreSQL. Date columns are of type date, booleans
// smallint 0/1 so the comparisons "IsReturn = 0" keep working unchanged.
class PostgresDialect final : public SqlDialect
{
public:
    DbKind kind() const override { return DbKind::PostgreSql; }
    QString typeText() const override { return QStringLiteral("PostgreSQL"); }
    QString driverName() const override { return QStringLiteral("QPSQL"); }
    QString dateLiteral(const QDate& date) const override;
    QString dateTimeLiteral(const QDateTime& dateTime) const override;
    QString quoteName(const QString& name) const override { return name; }
    QString likeOperator() const override { return QStringLiteral("ILIKE"); }
    QString textEquals(const QString& column, const QString& literal) const override
    {
        return QStringLiteral("LOWER(%1) = LOWER(%2)").arg(column, literal);
    }
    QString currentDateTimeQuery() const override { return QStringLiteral("SELECT LOCALTIMESTAMP(0)"); }
    QString todayExpression() const override { return QStringLiteral("CURRENT_DATE"); }
    QString addDays(const QString& dateExpr, const QString& daysExpr) const override;
    QString dayDifference(const QString& fromExpr, const QString& toExpr) const override;
    QString overdueDaysExpression() const override;
    QString nullToEmpty(const QString& column) const override;
    QString selectTop(int n, const QString& selectRest) const override;
    QString randomOrder() const override { return QStringLiteral("RANDOM()"); }
    QString emptyTable(const QString& table) const override;
    QStringList identityInsertEnd(const QString& table, const QString& keyColumn) const override;
    QString copiesJoinSelect() const override;
    QString callNumberMaxQuery(const QString& classCode) const override;
};

// Microsoft SQL Server (T-SQL), reached through ODBC.
class SqlServerDialect final : public SqlDialect
{
public:
    DbKind kind() const override { return DbKind::SqlServer; }
    QString typeText() const override { return QStringLiteral("Microsoft SQL Server"); }
    QString driverName() const override { return QStringLiteral("QODBC"); }
    QString dateLiteral(const QDate& date) const override;
    QString dateTimeLiteral(const QDateTime& dateTime) const override;
    QString concatOperator() const override { return QStringLiteral("+"); }
    QString currentDateTimeQuery() const override { return QStringLiteral("SELECT GETDATE()"); }
    QString todayExpression() const override { return QStringLiteral("CAST(GETDATE() AS DATE)"); }
    QString addDays(const QString& dateExpr, const QString& daysExpr) const override;
    QString dayDifference(const QString& fromExpr, const QString& toExpr) const override;
    QString overdueDaysExpression() const override;
    QString nullToEmpty(const QString& column) const override;
    QString selectTop(int n, const QString& selectRest) const override;
    QString randomOrder() const override { return QStringLiteral("NEWID()"); }
    QString emptyTable(const QString& table) const override
    {
        return QStringLiteral("TRUNCATE TABLE ") + table;
    }
    QStringList identityInsertBegin(const QString& table) const override;
    QStringList identityInsertEnd(const QString& table, const QString& keyColumn) const override;
    QString copiesJoinSelect() const override;
    QString callNumberMaxQuery(const QString& classCode) const override;
    QString pagedSelect(const QString& sql, bool hasOrderBy, int offset, int limit) const override;
    QString insertReturningKey(const QString& table, const QStringList& columns,
                               const QString& keyColumn) const override;
};

} // namespace dedizo
