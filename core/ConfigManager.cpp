#include "core/ConfigManager.h"

#include "core/Scramble.h"

#include <QFileInfo>

namespace dedizo {

namespace {
ConfigManager* g_instance = nullptr;
}

ConfigManager::ConfigManager(const QString& iniPath) : m_file(iniPath)
{
    m_isOEM = m_file.readBoolean(QStringLiteral("OEM"), QStringLiteral("IsOEM"), false);
}

ConfigManager& ConfigManager::instance()
{
    Q_ASSERT(g_instance);
    return *g_instance;
}

void ConfigManager::setInstance(ConfigManager* manager)
{
    g_instance = manager;
}

CurrentDBInfo ConfigManager::ReadCurrentDBInfo(const QString& appPath)
{
    CurrentDBInfo info;
    const int dbType = ReadInteger(QStringLiteral("Database"), QStringLiteral("DBType"), 0);
    info.kind = dbKindFromConfigValue(dbType);
    info.currentDBIsAccess = info.kind == DbKind::File;

    if (info.kind == DbKind::SqlServer) {
        const QString section = QStringLiteral("SQLServer");
        info.user = ReadString(section, QStringLiteral("User"), QString());
        info.password = unscramble(ReadString(section, QStringLiteral("Password"), QString()));
        const QString security = (!info.user.isEmpty() || !info.password.isEmpty())
                                     ? QString()
                                     : QStringLiteral("Integrated Security = SSPI");
        info.currentDBType = QStringLiteral("Microsoft SQL Server");
        info.currentDBName = ReadString(section, QStringLiteral("DBName"), QStringLiteral("DedIzoDB"));
        info.currentDBServer = ReadString(section, QStringLiteral("Server"), QStringLiteral("(local)"));
        info.connectionString =
            QStringLiteral("Provider = SQLOLEDB.1; Data Source = %1; Initial Catalog = %2; "
                           "User ID = %3; Password = %4; Persist Security Info = True; %5")
                .arg(info.currentDBServer, info.currentDBName, info.user, info.password, security);
        return info;
    }

    if (info.kind == DbKind::PostgreSql) {
        const QString section = QStringLiteral("PostgreSQL");
        info.user = ReadString(section, QStringLiteral("User"), QString());
        info.password = unscramble(ReadString(section, QStringLiteral("Password"), QString()));
        info.currentDBType = QStringLiteral("PostgreSQL");
        info.currentDBName = ReadString(section, QStringLiteral("DBName"), QStringLiteral("DedIzoDB"));
        info.currentDBServer = ReadString(section, QStringLiteral("Server"), QStringLiteral("localhost"));
        info.port = ReadInteger(section, QStringLiteral("Port"), 5432);
        info.connectionString =
            QStringLiteral("Server = %1; Port = %2; Database = %3; User ID = %4; Password = %5")
                .arg(info.currentDBServer)
                .arg(info.port)
                .arg(info.currentDBName, info.user, info.password);
        return info;
    }

    info.currentDBType = QStringLiteral("文件数据库");
    QString fileName =
        ReadString(QStringLiteral("Access"), QStringLiteral("FileName"), QStringLiteral("DedIzo.DB"))
            .trimmed();
    if (fileName.isEmpty())
        fileName = QStringLiteral("DedIzo.DB");
    const bool bareName = !fileName.contains(QLatin1Char('/')) && !fileName.contains(QLatin1Char('\\'));
    if (bareName)
        fileName = appPath + fileName;
    if (fileName.compare(appPath + QStringLiteral("DedIzo.MDB"), Qt::CaseInsensitive) == 0) {
        fileName = appPath + QStringLiteral("DedIzo.DB");
        Delete(QStringLiteral("Access"), QStringLiteral("FileName"));
    }
    info.currentDBName = fileName;
    info.connectionString = QStringLiteral("Data Source = %1").arg(fileName);
    return info;
}

ProxyInfo ConfigManager::ReadProxyInfo() const
{
    const QString s = QStringLiteral("Proxy");
    ProxyInfo p;
    p.server = ReadString(s, QStringLiteral("Server"), QString());
    p.port = ReadInteger(s, QStringLiteral("Port"), 0);
    p.userName = ReadString(s, QStringLiteral("UserName"), QString());
    p.password = unscramble(ReadString(s, QStringLiteral("Password"), QString()));
    return p;
}

void ConfigManager::WriteProxyInfo(const ProxyInfo& info)
{
    const QString s = QStringLiteral("Proxy");
    WriteString(s, QStringLiteral("Server"), info.server);
    WriteInteger(s, QStringLiteral("Port"), info.port);
    WriteString(s, QStringLiteral("UserName"), info.userName);
    WriteString(s, QStringLiteral("Password"), scramble(info.password));
}

ReaderSyncParams ConfigManager::ReadReaderSyncParams() const
{
    const QString s = QStringLiteral("ReaderSync");
    ReaderSyncParams p;
    p.dbSrcConnString = unscramble(ReadString(s, QStringLiteral("DBSrcConnString"), QString()));
    p.isShowOnStartup = ReadBoolean(s, QStringLiteral("IsShowOnStartup"), false);
    return p;
}

void ConfigManager::WriteReaderSyncParams(const ReaderSyncParams& params)
{
    const QString s = QStringLiteral("ReaderSync");
    WriteString(s, QStringLiteral("DBSrcConnString"), scramble(params.dbSrcConnString));
    WriteBoolean(s, QStringLiteral("IsShowOnStartup"), params.isShowOnStartup);
}

} // namespace dedizo
