#pragma once

#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVector>
#include <functional>

namespace dedizo {

class Connection;
class SqlDialect;

// One statement prepared once and run many times with bound values.
class BoundStatement
{
public:
    BoundStatement(Connection& connection, const QString& sql); // throws DatabaseError
    // Runs with `values` for the "?" marks; returns the rows affected.
    int exec(const QVariantList& values);
    // Runs a SELECT with `values`; the first column of the first row, invalid without rows.
    QVariant scalar(const QVariantList& values);
    // Runs a SELECT with `values` and hands back the query positioned before its first row.
    QSqlQuery& select(const QVariantList& values);

private:
    void run(const QVariantList& values);
    QString m_sql;
    QSqlQuery m_query;
};

// Reads a table in pages ordered by its integer key ("SELECT key, ... WHERE
// key > last ORDER BY key"), so no cursor stays open while the rows are
// changed and committed, and memory does not grow with the table.
class KeysetReader
{
public:
    using Row = QVector<QVariant>;
    // `columns` starts with the key column; `where` is an optional condition.
    KeysetReader(Connection& connection, const QString& columns, const QString& table, const QString& where,
                 int pageSize);
    // The next page; false when there are no more rows.
    bool nextPage(QVector<Row>& rows);

private:
    BoundStatement m_first; // no lower bound: any key value is read
    BoundStatement m_next;  // keys above the last one read
    int m_columns = 0;
    QVariant m_lastKey;
    bool m_done = false;
};

// Walks the rows of `reader` with the progress service: each page runs in one
// transaction; per row the pending window events run and, when the user
// stopped the progress, the walk ends after committing the rows done so far;
// otherwise `work` treats the row and the progress steps. A database error
// rolls back the current page (earlier pages stay) and propagates.
// Returns false when the user stopped.
bool walkInBatches(Connection& connection, KeysetReader& reader,
                   const std::function<void(const KeysetReader::Row&)>& work);

// A value as the database stores it (dates of the file database as text).
QVariant storedValue(const SqlDialect& dialect, const QVariant& value);

} // namespace dedizo
