#pragma once

#include <QList>
#include <QString>

namespace dedizo {

enum class ColumnType
{
    Key,
    Int,
    Small,
    Bool,
    DateTime,
    Text,
    Money,
    Memo,
    Blob
};

// One column of the library database with its display label. Labels are the
// captions of grids and the field names in validation messages.
struct ColumnDef
{
    QString name;
    ColumnType type = ColumnType::Text;
    int size = 0; // characters, for Text
    QString label;
    bool hidden = false;
    QString defaultValue; // SQL default, empty for none
    bool notNull = false;
};

struct TableDef
{
    QString name;
    QList<ColumnDef> columns;
    // Indexes for the lookups the program makes: each entry a comma-separated column list.
    QStringList indexes;
    bool isView = false;

    const ColumnDef* column(const QString& columnName) const;
    QString keyColumn() const;
};

// All tables and the two editable views, with their columns in display order.
class ColumnCatalog
{
public:
    static const QList<TableDef>& tables();
    // The two views that are edited through the program (Books_view, Readers_view).
    static const QList<TableDef>& views();
    static const TableDef* table(const QString& name); // tables or views, any case
    // Column of a named table or view; nullptr when unknown.
    static const ColumnDef* column(const QString& table, const QString& column);
    // Column by name alone (first table that has it, in catalogue order);
    // for result sets of joins. Accepts "Table.Column" too.
    static const ColumnDef* anyColumn(const QString& column);
    // The column name as the catalogue spells it ("bookname" -> "BookName").
    static QString canonicalName(const QString& column);
    // For a view the program edits, the base table it writes to; else the name itself.
    static QString baseTableOf(const QString& tableOrView);
};

} // namespace dedizo
