#include "tests/support/TestDatabase.h"

#include "schema/SchemaInstaller.h"

#include <QUuid>
#include <QtGlobal>

namespace dedizo::test {

DbKind TestDatabase::kindUnderTest()
{
    return qEnvironmentVariable("DEDIZO_TEST_DB") == QLatin1String("postgres") ? DbKind::PostgreSql
                                                                               : DbKind::File;
}

ConnectParams TestDatabase::serverParams()
{
    ConnectParams p;
    p.kind = DbKind::PostgreSql;
    const QString server = qEnvironmentVariable("DEDIZO_TEST_PG");
    if (server.isEmpty())
        qFatal("DEDIZO_TEST_DB=postgres but DEDIZO_TEST_PG names no server (run scripts/test.sh)");
    for (const QString& part : server.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString k = part.section(QLatin1Char('='), 0, 0).trimmed();
        const QString v = part.section(QLatin1Char('='), 1).trimmed();
        if (k == QLatin1String("host"))
            p.server = v;
        else if (k == QLatin1String("port"))
            p.port = v.toInt();
        else if (k == QLatin1String("user"))
            p.user = v;
        else if (k == QLatin1String("password"))
            p.password = v;
    }
    return p;
}

TestDatabase::TestDatabase()
{
    QString error;
    if (kindUnderTest() == DbKind::File) {
        m_params.kind = DbKind::File;
        m_params.database = m_dir.filePath(QStringLiteral("DedIzo.DB"));
        if (!SchemaInstaller::createFileDatabase(m_params.database, &error))
            qFatal("cannot create the test database: %s", qPrintable(error));
    } else {
        m_params = serverParams();
        m_pgDatabase = QStringLiteral("dedizo_t_") + QUuid::createUuid().toString(QUuid::Id128).left(16);
        {
            ConnectParams admin = m_params;
            admin.database = QStringLiteral("postgres");
            Connection c(admin, QStringLiteral("pg-admin-create"));
            if (!c.open(&error))
                qFatal("cannot reach the PostgreSQL test server: %s", qPrintable(error));
            c.execute(QStringLiteral("CREATE DATABASE ") + m_pgDatabase);
        }
        m_params.database = m_pgDatabase;
        Connection c(m_params, QStringLiteral("pg-install"));
        if (!c.open(&error) || !SchemaInstaller::install(c, &error))
            qFatal("cannot create the test database: %s", qPrintable(error));
    }
    m_module = std::make_unique<DataModule>();
    if (!m_module->connectTo(m_params, &error))
        qFatal("cannot connect to the test database: %s", qPrintable(error));
}

TestDatabase::~TestDatabase()
{
    m_module.reset();
    if (!m_pgDatabase.isEmpty()) {
        ConnectParams admin = m_params;
        admin.database = QStringLiteral("postgres");
        Connection c(admin, QStringLiteral("pg-admin-drop"));
        QString error;
        if (c.open(&error))
            c.execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_pgDatabase));
    }
}

} // namespace dedizo::test
