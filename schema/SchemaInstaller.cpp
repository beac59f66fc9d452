#include "schema/SchemaInstaller.h"

#include "catalogue/inputcode/InputCode.h"
#include "core/Connection.h"
#include "core/DatabaseError.h"
#include "schema/SchemaDdl.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

// Resources of a static library are registered by hand.
static void initSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace dedizo {

namespace {

QJsonObject shippedData()
{
    initSchemaResources();
    QFile f(QStringLiteral(":/schema/shipped.json"));
    f.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(f.readAll()).object();
}

void insertRows(Connection& c, const QString& table, const QJsonArray& rows)
{
    for (const QJsonValue& rowValue : rows) {
        QJsonObject row = rowValue.toObject();
        // Shipped publishers are found by their input code like any other.
        if (table == QLatin1String("Publishers_tab") &&
            row.value(QStringLiteral("PublisherInputCode")).toString().isEmpty())
            row.insert(QStringLiteral("PublisherInputCode"),
                       InputCode(row.value(QStringLiteral("PublisherName")).toString()));
        QStringList columns, marks;
        QVariantList values;
        for (auto it = row.begin(); it != row.end(); ++it) {
            columns << it.key();
            marks << QStringLiteral("?");
            values << (it.value().isNull() ? QVariant() : it.value().toVariant());
        }
        c.execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                  values);
    }
}

// Tables in the order the shipped file should be loaded.
const char* const kShippedTables[] = {"Par_tab",      "UserFun_tab",    "Items_tab",
                                      "BookCate_tab", "Publishers_tab", "ReaderCate_tab"};

} // namespace

bool SchemaInstaller::hasLibraryTables(Connection& connection)
{
    return connection.tableExists(QStringLiteral("Books_tab")) ||
           connection.tableExists(QStringLiteral("Users_tab"));
}

bool SchemaInstaller::install(Connection& connection, QString* error)
{
    if (hasLibraryTables(connection)) {
        *error = QStringLiteral("数据库中已有图书馆数据表，未做任何更改。");
        return false;
    }
    try {
        inTransaction(connection, [&] {
            for (const QString& sql : schemaCreateStatements(connection.kind()))
                connection.execute(sql);
            const QJsonObject data = shippedData();
            for (const char* table : kShippedTables) {
                const QString name = QString::fromLatin1(table);
                insertRows(connection, name, data.value(name).toArray());
            }
        });
    } catch (const DatabaseError& e) {
        *error = e.message();
        return false;
    }
    return true;
}

bool SchemaInstaller::createFileDatabase(const QString& path, QString* error)
{
    if (QFileInfo::exists(path)) {
        *error = QStringLiteral("文件已存在：%1").arg(path);
        return false;
    }
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            *error = QStringLiteral("无法创建数据库文件：%1").arg(path);
            return false;
        }
    }
    ConnectParams p;
    p.kind = DbKind::File;
    p.database = path;
    bool ok = false;
    {
        Connection c(p, QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
        ok = c.open(error) && install(c, error);
    }
    if (!ok)
        QFile::remove(path);
    return ok;
}

} // namespace dedizo
