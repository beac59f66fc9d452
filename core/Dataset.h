#pragma once

#include "schema/ColumnCatalog.h"

#include <QObject>
#include <QSet>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>

namespace dedizo {

class Connection;

// One column of a dataset's result.
struct DatasetField
{
    QString name;  // as the catalogue spells it ("BookName", "Copies_tab.BookID")
    QString label; // display label; empty for hidden fields
    ColumnType type = ColumnType::Text;
    bool hidden = false;
    bool writable = false; // a column of the update table other than its key
};

// What every window calls a dataset or query: SQL text kept as lines, opened
// through a connection, rows fetched lazily in pages, a current row, and the
// states browse / insert / edit with post and cancel. Writes go to the base
// table of the select (a view's base table), never to computed columns.
// Record rules: after-insert defaults and before-post checks; a check that
// fails throws AbortSilently and the row stays in its state.
class Dataset : public QObject
{
    Q_OBJECT
public:
    enum class State
    {
        Inactive,
        Browse,
        Insert,
        Edit
    };
    using Rule = std::function<void(Dataset&)>;

    // Works on `connection`, or on the main connection when none is given.
    explicit Dataset(Connection* connection = nullptr, QObject* parent = nullptr);
    ~Dataset() override;

    Connection& connection() const;

    // --- SQL text ---
    QStringList& sql() { return m_sql; }
    const QStringList& sql() const { return m_sql; }
    void setSql(const QString& text);
    QString sqlText() const { return m_sql.join(QLatin1Char('\n')); }

    // --- opening ---
    void open();  // throws DatabaseError
    void close(); // discards unsaved changes
    // Closes and opens again, keeping the current row by key where possible.
    void refresh();
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Insert || m_state == State::Edit; }
    void setPageSize(int rows) { m_pageSize = rows; }

    // --- update target ---
    // Set automatically from the first "FROM <table or view>" of the text; a
    // window may name it, or clear it for a read-only dataset.
    void setUpdateTable(const QString& table, const QString& keyColumn);
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool isReadOnly() const { return m_readOnly || m_updateTable.isEmpty(); }
    const QString& updateTable() const { return m_updateTable; }
    const QString& keyColumn() const { return m_keyColumn; }

    // --- fields ---
    int fieldCount() const { return int(m_fields.size()); }
    const DatasetField& field(int index) const { return m_fields[index]; }
    int fieldIndex(const QString& name) const; // any letter case; -1 when unknown
    bool hasField(const QString& name) const { return fieldIndex(name) >= 0; }
    QString displayLabel(const QString& name) const;
    void setFieldLabel(const QString& name, const QString& label);

    // --- rows ---
    // Rows matching the select (a COUNT run at open), with local changes.
    int recordCount() const;
    int fetchedCount() const;
    bool canFetchMore() const;
    void fetchMore(); // one page
    void fetchAll();
    int currentRow() const { return m_current; }
    bool setCurrentRow(int row); // fetches as needed; false when out of range
    bool isEmpty() const { return recordCount() == 0; }
    void first() { setCurrentRow(0); }
    bool next() { return setCurrentRow(m_current + 1); }

    QVariant value(const QString& name) const; // current row
    QVariant value(int row, int column) const; // a fetched row
    QVariant oldValue(const QString& name) const;
    QString text(const QString& name) const { return value(name).toString(); }
    void setValue(const QString& name, const QVariant& value); // in insert or edit state
    QVariant currentKey() const;
    // Moves to the first row whose field equals the value (text compared
    // without regard to case); fetches further pages as needed.
    bool locate(const QString& name, const QVariant& value);

    // --- editing ---
    void append(); // new row at the end, runs the after-insert rules
    void edit();
    void post();   // runs the before-post rules, writes (or queues in batch mode)
    void cancel(); // leaves insert/edit, restoring the row
    void remove(); // deletes the current row (or queues it in batch mode)

    void addAfterInsertRule(Rule rule) { m_afterInsert.append(std::move(rule)); }
    void addBeforePostRule(Rule rule) { m_beforePost.append(std::move(rule)); }

    // The field a failed rule asks the window to focus.
    void requestFocus(const QString& fieldName);
    const QString& focusField() const { return m_focusField; }

    // --- batch mode: changes held until applyUpdates() ---
    void setBatchMode(bool on) { m_batch = on; }
    bool batchMode() const { return m_batch; }
    bool hasPendingUpdates() const;
    // Writes the held changes (run it inside the caller's transaction).
    void applyUpdates();
    void cancelUpdates();

    // --- local filter to a set of keys (printing selected rows) ---
    void setKeyFilter(const QList<QVariant>& keys);
    void clearKeyFilter();
    bool isKeyFiltered() const { return m_keyFiltered; }

Q_SIGNALS:
    void opened();
    void closed();
    void rowsFetched(int first, int last);
    void rowChanged(int row);
    void rowInserted(int row);
    void rowRemoved(int row);
    void currentRowChanged(int row);
    void stateChanged(dedizo::Dataset::State state);
    void focusRequested(const QString& fieldName);

private:
    enum class RowChange
    {
        None,
        Inserted,
        Modified
    };
    struct Row
    {
        QVector<QVariant> values;
        QVector<QVariant> original; // values as last read or written
        RowChange change = RowChange::None;
    };

    void detectUpdateTable();
    void readFields(const QSqlRecord& record);
    QVariant fromDatabase(int column, const QVariant& raw) const;
    QVariant toDatabase(int column, const QVariant& value) const;
    QString selectWithoutOrder() const;
    bool hasOrderBy() const;
    void fetchPage(int rows = 0); // 0 = one page
    int rowIndex(int visibleRow) const;
    Row& currentRowData();
    const Row* visibleRowData(int visibleRow) const;
    void setState(State s);
    void writeRow(Row& row);
    void deleteKey(const QVariant& key);
    void reloadRow(Row& row);

    Connection* m_connection = nullptr;
    QStringList m_sql;
    State m_state = State::Inactive;
    QVector<DatasetField> m_fields;
    QVector<Row> m_rows;
    int m_serverCount = 0; // rows of the select at open
    int m_offset = 0;      // rows read from the database so far
    bool m_allFetched = false;
    int m_pageSize = 200;
    int m_current = -1;
    int m_insertedLocally = 0;
    int m_removedLocally = 0;
    Row m_editBackup;
    QString m_updateTable;
    QString m_keyColumn;
    bool m_updateTableFixed = false;
    bool m_readOnly = false;
    bool m_batch = false;
    QList<QVariant> m_pendingDeletes;
    QVector<Row> m_deletedRows;
    QList<Rule> m_afterInsert;
    QList<Rule> m_beforePost;
    QString m_focusField;
    QHash<QString, QString> m_labelOverrides;
    bool m_keyFiltered = false;
    QVector<int> m_visible; // row indexes shown while key-filtered
};

} // namespace dedizo
