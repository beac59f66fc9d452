#include "core/ParManager.h"

#include "core/Connection.h"

namespace dedizo {

ParManager::ParManager(Connection& connection) : m_connection(connection)
{
}

QVariant ParManager::read(const QString& name)
{
    // Parameter names are column names of our own; never user text.
    return m_connection.scalar(QStringLiteral("SELECT %1 FROM Par_tab").arg(name));
}

bool ParManager::AsBoolean(const QString& name, bool def)
{
    const QVariant v = read(name);
    if (!v.isValid() || v.isNull())
        return def;
    return v.toInt() != 0 || v.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

int ParManager::AsInteger(const QString& name, int def)
{
    const QVariant v = read(name);
    if (!v.isValid() || v.isNull())
        return def;
    return v.toInt();
}

QString ParManager::AsString(const QString& name, const QString& def)
{
    const QVariant v = read(name);
    if (!v.isValid() || v.isNull() || v.toString().trimmed().isEmpty())
        return def;
    return v.toString();
}

} // namespace dedizo
