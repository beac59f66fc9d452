#include "core/SqlDialect.h"

#include "core/SqlDialects.h"

namespace dedizo {

std::unique_ptr<SqlDialect> SqlDialect::create(DbKind kind)
{
    switch (kind) {
    case DbKind::File:
        return std::make_unique<SqliteDialect>();
    case DbKind::PostgreSql:
        return std::make_unique<PostgresDialect>();
    case DbKind::SqlServer:
        break;
    }
    return std::make_unique<SqlServerDialect>();
}

QString SqlDialect::quote(const QString& text)
{
    QString s = text;
    s.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

} // namespace dedizo
