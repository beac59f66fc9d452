#include "catalogue/generators/GeneratorSupport.h"

#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "core/ProgressService.h"

#include <QSqlError>

namespace dedizo {

BoundStatement::BoundStatement(Connection& connection, const QString& sql)
    : m_sql(sql), m_query(connection.database())
{
    if (!m_query.prepare(sql))
        throw DatabaseError(m_query.lastError().text(), sql);
}

void BoundStatement::run(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        m_query.bindValue(i, values[i]);
    if (!m_query.exec())
        throw DatabaseError(m_query.lastError().text(), m_sql);
}

int BoundStatement::exec(const QVariantList& values)
{
    run(values);
    return m_query.numRowsAffected();
}

QSqlQuery& BoundStatement::select(const QVariantList& values)
{
    m_query.setForwardOnly(true);
    run(values);
    return m_query;
}

QVariant BoundStatement::scalar(const QVariantList& values)
{
    select(values);
    QVariant v = m_query.next() ? m_query.value(0) : QVariant();
    m_query.finish();
    return v;
}

namespace {

QString pageSelect(Connection& c, const QString& columns, const QString& table, const QString& where,
                   int pageSize, bool afterLastKey)
{
    const QString key = columns.section(QLatin1Char(','), 0, 0).trimmed();
    QStringList conditions;
    if (!where.isEmpty())
        conditions << QLatin1Char('(') + where + QLatin1Char(')');
    if (afterLastKey)
        conditions << key + QStringLiteral(" > ?");
    QString rest = columns + QStringLiteral(" FROM ") + table;
    if (!conditions.isEmpty())
        rest += QStringLiteral(" WHERE ") + conditions.join(QStringLiteral(" AND "));
    return c.dialect().selectTop(pageSize, rest + QStringLiteral(" ORDER BY ") + key);
}

} // namespace

KeysetReader::KeysetReader(Connection& connection, const QString& columns, const QString& table,
                           const QString& where, int pageSize)
    : m_first(connection, pageSelect(connection, columns, table, where, pageSize, false)),
      m_next(connection, pageSelect(connection, columns, table, where, pageSize, true)),
      m_columns(int(columns.count(QLatin1Char(',')) + 1))
{
}

bool KeysetReader::nextPage(QVector<Row>& rows)
{
    rows.clear();
    if (m_done)
        return false;
    // The whole page is read and the select finished before anything is
    // written, so no cursor is open when the page's transaction commits.
    QSqlQuery& q = m_lastKey.isValid() ? m_next.select({m_lastKey}) : m_first.select({});
    while (q.next()) {
        Row row(m_columns);
        for (int i = 0; i < m_columns; ++i)
            row[i] = q.value(i);
        rows.append(std::move(row));
    }
    q.finish();
    if (rows.isEmpty()) {
        m_done = true;
        return false;
    }
    m_lastKey = rows.last().at(0);
    return true;
}

bool walkInBatches(Connection& connection, KeysetReader& reader,
                   const std::function<void(const KeysetReader::Row&)>& work)
{
    ProgressService& progress = progressService();
    QVector<KeysetReader::Row> page;
    bool stopped = false;
    while (!stopped && reader.nextPage(page)) {
        // One transaction per page: far fewer commits than one per row (each
        // commit of the file database waits for the disk), while locks on the
        // server are held only for one page, not for the whole table.
        inTransaction(connection, [&] {
            for (const KeysetReader::Row& row : std::as_const(page)) {
                if (progress.IsStoped()) {
                    stopped = true; // the rows done so far are committed
                    return;
                }
                work(row);
                progress.StepIt();
            }
        });
    }
    return !stopped;
}

QVariant storedValue(const SqlDialect& dialect, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return dialect.dateValue(value.toDate());
    case QMetaType::QDateTime:
        return dialect.dateTimeValue(value.toDateTime());
    default:
        return value;
    }
}

} // namespace dedizo
