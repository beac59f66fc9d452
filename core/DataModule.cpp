#include "core/DataModule.h"

#include "core/Prompts.h"
#include "core/SharedDatasets.h"

#include <QFile>

namespace dedizo {

namespace {
DataModule* g_instance = nullptr;

QString replaceFirst(QString text, const QString& what, const QString& with)
{
    const int at = text.indexOf(what, 0, Qt::CaseSensitive);
    if (at >= 0)
        text.replace(at, what.size(), with);
    return text;
}
} // namespace

DataModule::DataModule()
{
    Q_ASSERT(!g_instance);
    g_instance = this;
}

DataModule::~DataModule()
{
    m_datasets.reset();
    m_conn.reset();
    if (g_instance == this)
        g_instance = nullptr;
}

DataModule& DataModule::instance()
{
    Q_ASSERT(g_instance);
    return *g_instance;
}

bool DataModule::hasInstance()
{
    return g_instance != nullptr;
}

Connection& DataModule::connection()
{
    Q_ASSERT(m_conn);
    return *m_conn;
}

SharedDatasets& DataModule::datasets()
{
    if (!m_datasets)
        m_datasets = std::make_unique<SharedDatasets>();
    return *m_datasets;
}

SharedDatasets& DM1()
{
    return DataModule::instance().datasets();
}

void DataModule::disconnect()
{
    if (m_conn)
        m_conn->close();
}

QString DataModule::filterDateDelimiter() const
{
    return m_conn ? m_conn->dialect().filterDateDelimiter() : QStringLiteral("'");
}

QString DataModule::filterTrueLiteral() const
{
    return m_conn ? m_conn->dialect().trueLiteral() : QStringLiteral("1");
}

void migrateOldFileDatabaseName(const QString& appPath)
{
    const QString newName = appPath + QStringLiteral("DedIzo.DB");
    const QString oldName = appPath + QStringLiteral("DedIzo.MDB");
    if (!QFile::exists(newName) && QFile::exists(oldName))
        QFile::rename(oldName, newName);
}

bool DataModule::ConnDB(ConfigManager& config, const QString& appPath)
{
    m_info = config.ReadCurrentDBInfo(appPath);
    if (m_info.currentDBIsAccess)
        migrateOldFileDatabaseName(appPath);
    QString error;
    const bool ok = connectTo(ConnectParams::fromDBInfo(m_info), &error);
    if (!ok) {
        ShowError(
            QStringLiteral("连接数据库失败。请根据以下错误信息检查数据库、网络以及客户端配置是否正确。\r\n"
                           "详细错误信息如下：\r\n%1")
                .arg(error));
    }
    return ok;
}

bool DataModule::connectTo(const ConnectParams& params, QString* error)
{
    if (m_info.currentDBName.isEmpty()) {
        m_info.kind = params.kind;
        m_info.currentDBIsAccess = params.kind == DbKind::File;
        m_info.currentDBName = params.database;
        m_info.currentDBServer = params.server;
    }
    m_datasets.reset();
    m_conn.reset();
    m_conn = std::make_unique<Connection>(params, QStringLiteral("DedIzoConn"));
    m_info.currentDBType = m_conn->dialect().typeText();
    const bool ok = m_conn->open(error);
    m_cardStore = ok && m_conn->tableExists(QStringLiteral("CardStore"));
    prepareCatalogueConnection();
    return ok;
}

void DataModule::prepareCatalogueConnection()
{
    const QString from = QStringLiteral("DedIzoDB");
    const QString to = QStringLiteral("tempdbs");
    m_catalogueConnectionString = replaceFirst(m_info.connectionString, from, to);
    m_catalogueParams = m_conn ? m_conn->params() : ConnectParams();
    m_catalogueParams.database = replaceFirst(m_catalogueParams.database, from, to);
}

} // namespace dedizo
