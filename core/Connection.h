#pragma once

#include "core/ConfigManager.h"
#include "core/SqlDialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <functional>
#include <memory>

namespace dedizo {

// What is needed to reach one database.
struct ConnectParams
{
    DbKind kind = DbKind::File;
    QString server;   // host (server kinds)
    int port = 0;     // 0 = the kind's usual port
    QString database; // database name, or the file's path for the file database
    QString user;
    QString password;

    static ConnectParams fromDBInfo(const CurrentDBInfo& info);
};

// One open connection to a library database together with its dialect.
// All SQL of the program runs through a Connection; windows never use Qt Sql
// directly.
class Connection
{
public:
    Connection(const ConnectParams& params, const QString& connectionName);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection; false with the driver's message in `error`.
    // The file database must exist (an empty file is never created here).
    bool open(QString* error);
    void close();
    bool isOpen() const;

    const ConnectParams& params() const { return m_params; }
    DbKind kind() const { return m_params.kind; }
    bool isFileDatabase() const { return m_params.kind == DbKind::File; }
    const SqlDialect& dialect() const { return *m_dialect; }
    QSqlDatabase database() const;
    QString connectionName() const { return m_name; }

    // Runs a statement; throws DatabaseError on failure.
    void execute(const QString& sql);
    // Runs a statement with bound positional values ("?"); returns the rows affected.
    int execute(const QString& sql, const QVariantList& values);
    // Runs a SELECT and returns the positioned-before-first query; throws on failure.
    QSqlQuery select(const QString& sql, bool forwardOnly = true);
    // First column of the first row, or an invalid QVariant without rows.
    QVariant scalar(const QString& sql);
    // Names of the database's tables, as the database spells them.
    QStringList tableNames() const;
    bool tableExists(const QString& table) const;

    // Sees every statement the connection runs (tests count queries with it).
    void setStatementObserver(std::function<void(const QString&)> observer)
    {
        m_observer = std::move(observer);
    }

    void beginTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return m_transactionDepth > 0; }

private:
    ConnectParams m_params;
    QString m_name;
    std::unique_ptr<SqlDialect> m_dialect;
    int m_transactionDepth = 0;
    std::function<void(const QString&)> m_observer;
    void observe(const QString& sql)
    {
        if (m_observer)
            m_observer(sql);
    }
};

// Runs `work` in a transaction: commits when it returns, rolls back and
// rethrows on any exception.
template <typename Fn> void inTransaction(Connection& c, Fn&& work)
{
    c.beginTransaction();
    try {
        work();
    } catch (...) {
        c.rollback();
        throw;
    }
    c.commit();
}

} // namespace dedizo
