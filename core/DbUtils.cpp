#include "core/DbUtils.h"

#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/Prompts.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QSysInfo>

namespace dedizo {

namespace {
QDateTime g_clockOverride;

QString valueText(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::Bool)
        return v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    return v.toString();
}
} // namespace

QString QuoteSQL(const QString& text)
{
    return SqlDialect::quote(text);
}

QString QueryValue(const QString& sql)
{
    return valueText(mainConnection().scalar(sql));
}

void QueryList(QStringList& list, const QString& sql, const QString& fieldName)
{
    QSqlQuery q = mainConnection().select(sql);
    int column = 0;
    if (!fieldName.isEmpty()) {
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i)
            if (r.fieldName(i).compare(fieldName, Qt::CaseInsensitive) == 0)
                column = i;
    }
    while (q.next())
        list << valueText(q.value(column));
}

void OpenQuery(Dataset& dataset, const QString& sql)
{
    dataset.close();
    dataset.setSql(sql);
    dataset.open();
}

void ReopenQuery(Dataset& dataset, const QString& sql)
{
    if (sql.isEmpty()) {
        dataset.close();
        dataset.open();
    } else {
        OpenQuery(dataset, sql);
    }
}

bool ValueExists(const QString& value, const QString& field, const QString& table, const QString& extra,
                 bool quote)
{
    QString sql = QStringLiteral("SELECT COUNT(%1) FROM %2 WHERE ").arg(field, table);
    sql += quote ? mainConnection().dialect().textEquals(field, QuoteSQL(value))
                 : field + QStringLiteral(" = ") + value;
    if (!extra.isEmpty())
        sql += QStringLiteral(" AND ") + extra;
    return mainConnection().scalar(sql).toInt() != 0;
}

void CheckNotEmpty(Dataset& dataset, const QString& field, const QString& caption)
{
    const QVariant v = dataset.value(field);
    if (v.isValid() && !v.isNull() && !v.toString().trimmed().isEmpty())
        return;
    const QString name = caption.isEmpty() ? dataset.displayLabel(field) : caption;
    ShowInfo(QStringLiteral("%1不能为空。").arg(name));
    dataset.requestFocus(field);
    throw AbortSilently();
}

void CheckUnique(Dataset& dataset, const QString& field, const QString& table, const QString& extra,
                 const QString& caption)
{
    const QString text = dataset.value(field).toString().trimmed();
    if (text.isEmpty())
        return;
    if (dataset.state() == Dataset::State::Edit) {
        if (SameValueText(dataset.oldValue(field), dataset.value(field)))
            return;
    } else if (dataset.state() != Dataset::State::Insert) {
        return;
    }
    const int index = dataset.fieldIndex(field);
    const ColumnType type = index >= 0 ? dataset.field(index).type : ColumnType::Text;
    const bool quote = type == ColumnType::Text || type == ColumnType::Memo || type == ColumnType::DateTime;
    if (!ValueExists(text, field, table, extra, quote))
        return;
    const QString name = caption.isEmpty() ? dataset.displayLabel(field) : caption;
    ShowInfo(QStringLiteral("您输入的%1已存在。").arg(name));
    dataset.requestFocus(field);
    throw AbortSilently();
}

bool SameValueText(const QVariant& a, const QVariant& b)
{
    return a.toString().trimmed().compare(b.toString().trimmed(), Qt::CaseInsensitive) == 0;
}

bool TableExists(const QString& table)
{
    return mainConnection().tableExists(table);
}

void setClockOverride(const QDateTime& now)
{
    g_clockOverride = now;
}

QDateTime ServerNow()
{
    if (g_clockOverride.isValid())
        return g_clockOverride;
    Connection& c = mainConnection();
    const QString sql = c.dialect().currentDateTimeQuery();
    if (sql.isEmpty())
        return QDateTime::currentDateTime();
    const QVariant v = c.scalar(sql);
    QDateTime dt = v.toDateTime();
    return dt.isValid() ? dt : QDateTime::currentDateTime();
}

QString ServerDateText(bool withTime)
{
    return ServerNow().toString(withTime ? QStringLiteral("yyyy/MM/dd HH:mm:ss")
                                         : QStringLiteral("yyyy/MM/dd"));
}

QString SQLDateLiteral(const QDate& date)
{
    return mainConnection().dialect().dateLiteral(date);
}

QString SQLDateTimeLiteral(const QDateTime& dateTime)
{
    return mainConnection().dialect().dateTimeLiteral(dateTime);
}

QString SQLTodayLiteral()
{
    return SQLDateLiteral(ServerNow().date());
}

bool IsDebugMode(const QStringList& arguments)
{
    return arguments.size() > 1 && arguments.at(1) == QLatin1String("-debug");
}

QString ComputerName()
{
    return QSysInfo::machineHostName().left(256);
}

} // namespace dedizo
