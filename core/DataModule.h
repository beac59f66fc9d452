#pragma once

#include "core/Connection.h"

#include <memory>

namespace dedizo {

class SharedDatasets;

// TDM1: owns the main connection ("DedIzoConn") and the connection state
// published once by ConnDB for the rest of the run.
class DataModule
{
public:
    DataModule();
    ~DataModule();

    static DataModule& instance();
    static bool hasInstance();

    // Reads Config.ini through `config`, connects to the library database
    // and probes the card store. On failure shows the error box and returns false.
    bool ConnDB(ConfigManager& config, const QString& appPath);
    // Connects with explicit parameters (tests and tools); false with the message.
    bool connectTo(const ConnectParams& params, QString* error);

    Connection& connection();
    // The shared datasets with their record rules.
    SharedDatasets& datasets();
    bool isConnected() const { return m_conn && m_conn->isOpen(); }
    void disconnect();

    const CurrentDBInfo& dbInfo() const { return m_info; }
    bool isFileDatabase() const { return m_info.currentDBIsAccess; }
    bool cardStoreEnabled() const { return m_cardStore; }
    void setCardStoreEnabled(bool on) { m_cardStore = on; }
    QString filterDateDelimiter() const;
    QString filterTrueLiteral() const;

    // The read-only catalogue database on the same server: the main
    // connection with "DedIzoDB" replaced by "tempdbs" (first occurrence).
    const QString& catalogueConnectionString() const { return m_catalogueConnectionString; }
    const ConnectParams& catalogueParams() const { return m_catalogueParams; }

private:
    void prepareCatalogueConnection();

    std::unique_ptr<Connection> m_conn;
    std::unique_ptr<SharedDatasets> m_datasets;
    CurrentDBInfo m_info;
    bool m_cardStore = false;
    QString m_catalogueConnectionString;
    ConnectParams m_catalogueParams;
};

// The main connection of the run.
inline Connection& mainConnection()
{
    return DataModule::instance().connection();
}

// Moves an old "DedIzo.MDB" to "DedIzo.DB" in `appPath` when only the old name exists.
void migrateOldFileDatabaseName(const QString& appPath);

} // namespace dedizo
