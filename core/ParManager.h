#pragma once

#include <QString>

namespace dedizo {

class Connection;

// TParManager: the system parameters of the single Par_tab row, shared by all
// workstations. Every call reads the database afresh.
class ParManager
{
public:
    explicit ParManager(Connection& connection);

    bool AsBoolean(const QString& name, bool def);
    int AsInteger(const QString& name, int def);
    QString AsString(const QString& name, const QString& def);

    QString CorpName()
    {
        return AsString(QStringLiteral("CorpName"), QStringLiteral("<使用单位名称未设置>"));
    }
    bool IsExitConfirm() { return AsBoolean(QStringLiteral("IsExitConfirm"), false); }
    bool IsShowUserListOnLogin() { return AsBoolean(QStringLiteral("IsShowUserListOnLogin"), true); }
    bool IsMaxBookManager() { return AsBoolean(QStringLiteral("IsMaxBookManager"), true); }
    // `currentTitle` is the application title in force (OEM or built-in).
    QString SystemName(const QString& currentTitle)
    {
        return AsString(QStringLiteral("SystemName"), currentTitle);
    }

private:
    QVariant read(const QString& name);
    Connection& m_connection;
};

} // namespace dedizo
