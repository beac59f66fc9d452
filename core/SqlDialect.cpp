#include "core/SqlDialect.h"

#include "core/SqlDialects.h"

#include <QRegularExpression>

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

QString SqlDialect::pagedSelect(const QString& sql, bool, int offset, int limit) const
{
    // A select that limits itself already is wrapped so its own limit stays intact.
    const QString trimmed = sql.trimmed();
    const bool limited = trimmed.contains(QRegularExpression(QStringLiteral("\\bLIMIT\\s+\\d+\\s*$"),
                                                             QRegularExpression::CaseInsensitiveOption));
    // Concatenation, not arg(): the statement may itself hold "%1"-like text.
    const QString base =
        limited ? QStringLiteral("SELECT * FROM (") + trimmed + QStringLiteral(") AS paged_") : trimmed;
    return base + QStringLiteral("\nLIMIT ") + QString::number(limit) + QStringLiteral(" OFFSET ") +
           QString::number(offset);
}

QString SqlDialect::insertReturningKey(const QString& table, const QStringList& columns,
                                       const QString& keyColumn) const
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    if (columns.isEmpty())
        return QStringLiteral("INSERT INTO %1 DEFAULT VALUES RETURNING %2").arg(table, keyColumn);
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3) RETURNING %4")
        .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")), keyColumn);
}

} // namespace dedizo
