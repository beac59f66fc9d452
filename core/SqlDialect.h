#pragma once

#include "core/DbKind.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>

namespace dedizo {

// Every place where the SQL text differs between the database kinds. Callers
// never test the kind themselves; they ask the dialect for the text.
class SqlDialect
{
public:
    virtual ~SqlDialect() = default;

    static std::unique_ptr<SqlDialect> create(DbKind kind);

    virtual DbKind kind() const = 0;
    bool isFileDatabase() const { return kind() == DbKind::File; }
    // The type text of the main window's status bar.
    virtual QString typeText() const = 0;
    // Qt Sql driver name.
    virtual QString driverName() const = 0;

    // --- literals ---
    static QString quote(const QString& text); // 'text' with inner quotes doubled
    virtual QString dateLiteral(const QDate& date) const = 0;
    virtual QString dateTimeLiteral(const QDateTime& dateTime) const = 0;
    // The delimiter a grid filter writes around a date value.
    virtual QString filterDateDelimiter() const { return QStringLiteral("'"); }
    virtual QString trueLiteral() const { return QStringLiteral("1"); }
    QString falseLiteral() const { return QStringLiteral("0"); }
    // A stored date value as the text the database keeps (bound values).
    virtual QVariant dateValue(const QDate& date) const { return date; }
    virtual QVariant dateTimeValue(const QDateTime& dateTime) const { return dateTime; }

    // --- names and operators ---
    // A column name that is also a reserved word ("Memo").
    virtual QString quoteName(const QString& name) const
    {
        return QLatin1Char('[') + name + QLatin1Char(']');
    }
    virtual QString concatOperator() const { return QStringLiteral("||"); }
    // column = text literal, ignoring letter case as SQL Server's usual collation does.
    virtual QString textEquals(const QString& column, const QString& literal) const
    {
        return column + QStringLiteral(" = ") + literal;
    }
    // LIKE that ignores letter case, as searches by name or input code expect.
    virtual QString likeOperator() const { return QStringLiteral("LIKE"); }

    // --- clock ---
    // Statement that returns the database's current date and time, or empty
    // when the workstation clock stands for it (the file database).
    virtual QString currentDateTimeQuery() const = 0;
    // Expression for today's date inside a statement.
    virtual QString todayExpression() const = 0;

    // --- dates ---
    virtual QString addDays(const QString& dateExpr, const QString& daysExpr) const = 0;
    // Whole days from `from` to `to` (positive when `to` is later).
    virtual QString dayDifference(const QString& fromExpr, const QString& toExpr) const = 0;
    // Overdue days of a loan: due date to the return date, or to today while on loan.
    virtual QString overdueDaysExpression() const = 0;

    // --- statements ---
    virtual QString nullToEmpty(const QString& column) const = 0;
    virtual QString selectTop(int n, const QString& selectRest) const = 0; // selectRest starts after SELECT
    virtual QString randomOrder() const = 0;
    virtual QString emptyTable(const QString& table) const = 0;
    // Statements around inserts that give the key column explicit values.
    virtual QStringList identityInsertBegin(const QString& table) const { return {}; }
    virtual QStringList identityInsertEnd(const QString& table, const QString& keyColumn) const { return {}; }
    // UPDATE t1 SET ... from a second table: the parts joined around the SET.
    virtual QString updateSecondTable(const QString& table) const { return {}; }
    virtual QString updateFromPart(const QString& table) const
    {
        return QStringLiteral(" FROM ") + table + QLatin1Char(' ');
    }
    // Copies joined with their titles, with the duplicate columns offered as
    // "Copies_tab.BookID", "Copies_tab.RegDate", ... .
    virtual QString copiesJoinSelect() const = 0;
    // Largest number following "<code>/" among the call numbers of copies.
    virtual QString callNumberMaxQuery(const QString& classCode) const = 0;

    // --- datasets ---
    // One page of a select: rows offset..offset+limit-1.
    virtual QString pagedSelect(const QString& sql, bool hasOrderBy, int offset, int limit) const;
    // INSERT with "?" placeholders that returns the new key as its only column.
    virtual QString insertReturningKey(const QString& table, const QStringList& columns,
                                       const QString& keyColumn) const;
};

} // namespace dedizo
