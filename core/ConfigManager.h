#pragma once

#include "core/DbKind.h"
#include "core/IniFile.h"

#include <QString>

namespace dedizo {

// Which database Config.ini names and how to reach it.
struct CurrentDBInfo
{
    QString currentDBType;          // "文件数据库", "Microsoft SQL Server" or "PostgreSQL"
    QString currentDBName;          // database name, or the full path of the file database
    QString currentDBServer;        // empty for the file database
    bool currentDBIsAccess = false; // true for the file database
    QString connectionString;       // descriptive connection string (see ConfigManager)

    DbKind kind = DbKind::File;
    int port = 0;
    QString user;
    QString password; // plain
};

struct ProxyInfo
{
    QString server;
    int port = 0;
    QString userName;
    QString password; // plain
};

struct ReaderSyncParams
{
    QString dbSrcConnString; // plain
    bool isShowOnStartup = false;
};

// TConfigManager: the workstation's Config.ini in the program's folder. Every
// read and write goes straight to the file; a missing file or key gives the
// default.
class ConfigManager
{
public:
    explicit ConfigManager(const QString& iniPath);

    // The one instance of the run (created at start-up).
    static ConfigManager& instance();
    static void setInstance(ConfigManager* manager);

    bool isOEM() const { return m_isOEM; }
    QString fileName() const { return m_file.path(); }

    bool ReadBoolean(const QString& section, const QString& key, bool def) const
    {
        return m_file.readBoolean(section, key, def);
    }
    int ReadInteger(const QString& section, const QString& key, int def) const
    {
        return m_file.readInteger(section, key, def);
    }
    double ReadFloat(const QString& section, const QString& key, double def) const
    {
        return m_file.readFloat(section, key, def);
    }
    QString ReadString(const QString& section, const QString& key, const QString& def) const
    {
        return m_file.readString(section, key, def);
    }
    void WriteBoolean(const QString& section, const QString& key, bool v)
    {
        m_file.writeBoolean(section, key, v);
    }
    void WriteInteger(const QString& section, const QString& key, int v)
    {
        m_file.writeInteger(section, key, v);
    }
    void WriteFloat(const QString& section, const QString& key, double v)
    {
        m_file.writeFloat(section, key, v);
    }
    void WriteString(const QString& section, const QString& key, const QString& v)
    {
        m_file.writeString(section, key, v);
    }
    void Delete(const QString& section, const QString& key) { m_file.remove(section, key); }

    // `appPath` is the program's folder with a trailing separator.
    CurrentDBInfo ReadCurrentDBInfo(const QString& appPath);
    ProxyInfo ReadProxyInfo() const;
    void WriteProxyInfo(const ProxyInfo& info);
    ReaderSyncParams ReadReaderSyncParams() const;
    void WriteReaderSyncParams(const ReaderSyncParams& params);

private:
    IniFile m_file;
    bool m_isOEM = false;
};

} // namespace dedizo
