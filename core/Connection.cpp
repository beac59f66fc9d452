#include "core/Connection.h"

#include "core/DatabaseError.h"

#include <QFileInfo>
#include <QSqlError>

namespace dedizo {

ConnectParams ConnectParams::fromDBInfo(const CurrentDBInfo& info)
{
    ConnectParams p;
    p.kind = info.kind;
    p.database = info.currentDBName;
    p.server = info.currentDBServer;
    p.port = info.port;
    p.user = info.user;
    p.password = info.password;
    return p;
}

Connection::Connection(const ConnectParams& params, const QString& connectionName)
    : m_params(params), m_name(connectionName), m_dialect(SqlDialect::create(params.kind))
{
    QSqlDatabase::addDatabase(m_dialect->driverName(), m_name);
}

Connection::~Connection()
{
    close();
    QSqlDatabase::removeDatabase(m_name);
}

QSqlDatabase Connection::database() const
{
    return QSqlDatabase::database(m_name, false);
}

bool Connection::open(QString* error)
{
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
    switch (m_params.kind) {
    case DbKind::File: {
        const QFileInfo fi(m_params.database);
        if (!fi.exists()) {
            *error = QStringLiteral("数据库文件不存在：%1").arg(m_params.database);
            return false;
        }
        db.setDatabaseName(m_params.database);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        break;
    }
    case DbKind::PostgreSql:
        db.setHostName(m_params.server.isEmpty() ? QStringLiteral("localhost") : m_params.server);
        db.setPort(m_params.port > 0 ? m_params.port : 5432);
        db.setDatabaseName(m_params.database);
        db.setUserName(m_params.user);
        db.setPassword(m_params.password);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        break;
    case DbKind::SqlServer: {
        QString server = m_params.server;
        if (server.isEmpty() || server == QLatin1String("(local)") || server == QLatin1String("."))
            server = QStringLiteral("localhost");
        QString conn = QStringLiteral("DRIVER={FreeTDS};SERVER=%1;PORT=%2;DATABASE=%3;UID=%4;PWD=%5;"
                                      "TDS_Version=7.4;ClientCharset=UTF-8")
                           .arg(server)
                           .arg(m_params.port > 0 ? m_params.port : 1433)
                           .arg(m_params.database, m_params.user, m_params.password);
        db.setDatabaseName(conn);
        db.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=5"));
        break;
    }
    }
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    if (m_params.kind == DbKind::File) {
        // Opening never reads the file; a file that is not a database fails here.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"))) {
            *error = probe.lastError().text();
            db.close();
            return false;
        }
    }
    return true;
}

void Connection::close()
{
    QSqlDatabase db = database();
    if (db.isValid() && db.isOpen())
        db.close();
    m_transactionDepth = 0;
}

bool Connection::isOpen() const
{
    return database().isOpen();
}

void Connection::execute(const QString& sql)
{
    observe(sql);
    QSqlQuery q(database());
    if (!q.exec(sql))
        throw DatabaseError(q.lastError().text(), sql);
}

int Connection::execute(const QString& sql, const QVariantList& values)
{
    observe(sql);
    QSqlQuery q(database());
    if (!q.prepare(sql))
        throw DatabaseError(q.lastError().text(), sql);
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw DatabaseError(q.lastError().text(), sql);
    return q.numRowsAffected();
}

QSqlQuery Connection::select(const QString& sql, bool forwardOnly)
{
    observe(sql);
    QSqlQuery q(database());
    q.setForwardOnly(forwardOnly);
    if (!q.exec(sql))
        throw DatabaseError(q.lastError().text(), sql);
    return q;
}

QVariant Connection::scalar(const QString& sql)
{
    QSqlQuery q = select(sql);
    if (!q.next())
        return {};
    return q.value(0);
}

QStringList Connection::tableNames() const
{
    return database().tables(QSql::Tables);
}

bool Connection::tableExists(const QString& table) const
{
    const QStringList names = tableNames();
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return n.compare(table, Qt::CaseInsensitive) == 0; });
}

void Connection::beginTransaction()
{
    if (m_transactionDepth++ > 0)
        return; // nested: joins the outer transaction
    if (!database().transaction())
        throw DatabaseError(database().lastError().text(), QStringLiteral("BEGIN"));
}

void Connection::commit()
{
    if (m_transactionDepth == 0 || --m_transactionDepth > 0)
        return;
    if (!database().commit())
        throw DatabaseError(database().lastError().text(), QStringLiteral("COMMIT"));
}

void Connection::rollback()
{
    if (m_transactionDepth == 0)
        return;
    m_transactionDepth = 0;
    database().rollback();
}

} // namespace dedizo
