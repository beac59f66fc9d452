#include "core/Dataset.h"

#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/DatabaseError.h"

#include <QDate>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>

namespace dedizo {

namespace {

bool isOrderByLine(const QString& line)
{
    return line.startsWith(QLatin1String("ORDER BY "));
}

QDate parseDate(const QVariant& raw)
{
    if (raw.metaType().id() == QMetaType::QDate)
        return raw.toDate();
    if (raw.metaType().id() == QMetaType::QDateTime)
        return raw.toDateTime().date();
    const QString s = raw.toString().trimmed();
    QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!d.isValid())
        d = QDate::fromString(s.left(10), QStringLiteral("yyyy/MM/dd"));
    return d;
}

// "Memo" is bracket-quoted where the database kind expects it.
QString columnSql(const Connection& c, const QString& name)
{
    return name == QLatin1String("Memo") ? c.dialect().quoteName(name) : name;
}

bool sameValue(const QVariant& a, const QVariant& b)
{
    if (a.isNull() != b.isNull())
        return false;
    return a.isNull() || a == b || a.toString() == b.toString();
}

} // namespace

Dataset::Dataset(Connection* connection, QObject* parent) : QObject(parent), m_connection(connection)
{
}

Dataset::~Dataset() = default;

Connection& Dataset::connection() const
{
    return m_connection ? *m_connection : mainConnection();
}

void Dataset::setSql(const QString& text)
{
    m_sql = text.split(QLatin1Char('\n'));
    if (!m_updateTableFixed)
        m_updateTable.clear();
}

void Dataset::setUpdateTable(const QString& table, const QString& keyColumn)
{
    m_updateTable = table;
    m_keyColumn = keyColumn;
    m_updateTableFixed = true;
}

void Dataset::detectUpdateTable()
{
    if (m_updateTableFixed)
        return;
    m_updateTable.clear();
    m_keyColumn.clear();
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = from.match(sqlText());
    if (!match.hasMatch())
        return;
    const TableDef* t = ColumnCatalog::table(ColumnCatalog::baseTableOf(match.captured(1)));
    if (!t)
        return;
    m_updateTable = t->name;
    m_keyColumn = t->keyColumn();
}

QString Dataset::selectWithoutOrder() const
{
    QStringList lines;
    for (const QString& l : m_sql)
        if (!isOrderByLine(l))
            lines << l;
    return lines.join(QLatin1Char('\n'));
}

bool Dataset::hasOrderBy() const
{
    return std::any_of(m_sql.begin(), m_sql.end(), isOrderByLine);
}

void Dataset::open()
{
    if (isOpen())
        close();
    detectUpdateTable();
    Connection& c = connection();
    m_serverCount = c.scalar(QStringLiteral("SELECT COUNT(*) FROM (") + selectWithoutOrder() +
                             QStringLiteral(") AS count_"))
                        .toInt();
    m_rows.clear();
    m_offset = 0;
    m_allFetched = false;
    m_insertedLocally = m_removedLocally = 0;
    m_pendingDeletes.clear();
    m_deletedRows.clear();
    m_fields.clear();
    m_keyFiltered = false;
    m_visible.clear();
    fetchPage();
    m_state = State::Browse;
    m_current = m_rows.isEmpty() ? -1 : 0;
    Q_EMIT opened();
    Q_EMIT stateChanged(m_state);
    Q_EMIT currentRowChanged(m_current);
}

void Dataset::close()
{
    if (!isOpen())
        return;
    m_rows.clear();
    m_fields.clear();
    m_current = -1;
    m_state = State::Inactive;
    m_keyFiltered = false;
    m_visible.clear();
    m_pendingDeletes.clear();
    m_deletedRows.clear();
    Q_EMIT closed();
    Q_EMIT stateChanged(m_state);
}

void Dataset::refresh()
{
    const QVariant key = isOpen() && m_current >= 0 ? currentKey() : QVariant();
    const int row = m_current;
    open();
    if (key.isValid() && !m_keyColumn.isEmpty() && locate(m_keyColumn, key))
        return;
    if (row >= 0)
        setCurrentRow(std::min(row, recordCount() - 1));
}

void Dataset::readFields(const QSqlRecord& record)
{
    const TableDef* updateDef = ColumnCatalog::table(m_updateTable);
    static const QRegularExpression from(QStringLiteral("\\bFROM\\s+([A-Za-z_][A-Za-z0-9_]*)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const auto match = from.match(sqlText());
    const TableDef* sourceDef = match.hasMatch() ? ColumnCatalog::table(match.captured(1)) : nullptr;
    for (int i = 0; i < record.count(); ++i) {
        DatasetField f;
        f.name = ColumnCatalog::canonicalName(record.fieldName(i));
        const ColumnDef* def = nullptr;
        if (!f.name.contains(QLatin1Char('.'))) {
            if (sourceDef)
                def = sourceDef->column(f.name);
            if (!def && updateDef)
                def = updateDef->column(f.name);
        }
        if (!def)
            def = ColumnCatalog::anyColumn(f.name);
        if (def) {
            f.type = def->type;
            f.label = def->label;
            f.hidden = def->hidden || def->label.isEmpty();
        } else {
            f.label = f.name;
            const int t = record.field(i).metaType().id();
            f.type = (t == QMetaType::Int || t == QMetaType::LongLong) ? ColumnType::Int
                     : t == QMetaType::Double                          ? ColumnType::Money
                                                                       : ColumnType::Text;
        }
        const auto override = m_labelOverrides.constFind(f.name.toLower());
        if (override != m_labelOverrides.constEnd()) {
            f.label = *override;
            f.hidden = f.label.isEmpty();
        }
        f.writable = updateDef && !f.name.contains(QLatin1Char('.')) && updateDef->column(f.name) &&
                     f.name.compare(m_keyColumn, Qt::CaseInsensitive) != 0;
        m_fields.append(f);
    }
}

QVariant Dataset::fromDatabase(int column, const QVariant& raw) const
{
    if (raw.isNull() || !raw.isValid())
        return QVariant();
    switch (m_fields[column].type) {
    case ColumnType::Bool:
        if (raw.metaType().id() == QMetaType::Bool)
            return raw;
        return raw.toInt() != 0 || raw.toString().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
    case ColumnType::DateTime: {
        const QDate d = parseDate(raw);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case ColumnType::Key:
    case ColumnType::Int:
    case ColumnType::Small:
        return raw.toInt();
    case ColumnType::Money:
        return raw.toDouble();
    default:
        return raw;
    }
}

QVariant Dataset::toDatabase(int column, const QVariant& value) const
{
    if (value.isNull() || !value.isValid())
        return QVariant();
    const SqlDialect& d = connection().dialect();
    switch (m_fields[column].type) {
    case ColumnType::Bool:
        return value.toBool() ? 1 : 0;
    case ColumnType::DateTime: {
        const QDate date = parseDate(value);
        return date.isValid() ? d.dateValue(date) : QVariant();
    }
    case ColumnType::Text:
        if (value.toString().isEmpty())
            return QString(QLatin1String(""));
        return value.toString();
    default:
        return value;
    }
}

void Dataset::fetchPage(int rows)
{
    if (m_allFetched)
        return;
    // Several pages at once are read with one statement: each statement
    // skips the rows before its offset again.
    const int limit = std::max(rows, m_pageSize);
    Connection& c = connection();
    QSqlQuery q = c.select(c.dialect().pagedSelect(sqlText(), hasOrderBy(), m_offset, limit));
    if (m_fields.isEmpty())
        readFields(q.record());
    const int first = int(m_rows.size());
    int read = 0;
    while (q.next()) {
        Row row;
        row.values.resize(m_fields.size());
        for (int i = 0; i < m_fields.size(); ++i)
            row.values[i] = fromDatabase(i, q.value(i));
        row.original = row.values;
        m_rows.append(row);
        ++read;
    }
    m_offset += read;
    if (read < limit)
        m_allFetched = true;
    if (read > 0 && isOpen())
        Q_EMIT rowsFetched(first, first + read - 1);
}

int Dataset::recordCount() const
{
    if (!isOpen())
        return 0;
    if (m_keyFiltered)
        return int(m_visible.size());
    if (m_allFetched)
        return int(m_rows.size());
    return m_serverCount + m_insertedLocally - m_removedLocally;
}

int Dataset::fetchedCount() const
{
    return m_keyFiltered ? int(m_visible.size()) : int(m_rows.size());
}

bool Dataset::canFetchMore() const
{
    return isOpen() && !m_allFetched && !m_keyFiltered;
}

void Dataset::fetchMore()
{
    if (canFetchMore())
        fetchPage();
}

void Dataset::fetchAll()
{
    while (canFetchMore())
        fetchPage(std::max(m_pageSize, m_serverCount - m_offset + m_pageSize));
}

int Dataset::rowIndex(int visibleRow) const
{
    if (m_keyFiltered)
        return visibleRow >= 0 && visibleRow < m_visible.size() ? m_visible[visibleRow] : -1;
    return visibleRow >= 0 && visibleRow < m_rows.size() ? visibleRow : -1;
}

const Dataset::Row* Dataset::visibleRowData(int visibleRow) const
{
    const int i = rowIndex(visibleRow);
    return i < 0 ? nullptr : &m_rows[i];
}

Dataset::Row& Dataset::currentRowData()
{
    const int i = rowIndex(m_current);
    if (i < 0)
        throw DatabaseError(QStringLiteral("数据集没有当前记录。"));
    return m_rows[i];
}

bool Dataset::setCurrentRow(int row)
{
    if (!isOpen() || row < 0)
        return false;
    while (row >= fetchedCount() && canFetchMore())
        fetchPage(row + 1 - fetchedCount());
    if (row >= fetchedCount())
        return false;
    if (row != m_current) {
        if (isEditing())
            post();
        m_current = row;
        Q_EMIT currentRowChanged(row);
    }
    return true;
}

int Dataset::fieldIndex(const QString& name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString Dataset::displayLabel(const QString& name) const
{
    const int i = fieldIndex(name);
    if (i >= 0 && !m_fields[i].label.isEmpty())
        return m_fields[i].label;
    return name;
}

void Dataset::setFieldLabel(const QString& name, const QString& label)
{
    m_labelOverrides.insert(name.toLower(), label);
    const int i = fieldIndex(name);
    if (i >= 0) {
        m_fields[i].label = label;
        m_fields[i].hidden = label.isEmpty();
    }
}

QVariant Dataset::value(const QString& name) const
{
    const int col = fieldIndex(name);
    const Row* row = visibleRowData(m_current);
    if (col < 0 || !row)
        return QVariant();
    return row->values[col];
}

QVariant Dataset::value(int row, int column) const
{
    const Row* r = visibleRowData(row);
    if (!r || column < 0 || column >= r->values.size())
        return QVariant();
    return r->values[column];
}

QVariant Dataset::oldValue(const QString& name) const
{
    const int col = fieldIndex(name);
    const Row* row = visibleRowData(m_current);
    if (col < 0 || !row)
        return QVariant();
    return m_state == State::Edit ? m_editBackup.values[col] : row->original[col];
}

QVariant Dataset::currentKey() const
{
    return m_keyColumn.isEmpty() ? QVariant() : value(m_keyColumn);
}

void Dataset::setValue(const QString& name, const QVariant& value)
{
    if (!isEditing())
        edit();
    const int col = fieldIndex(name);
    if (col < 0)
        throw DatabaseError(QStringLiteral("字段 %1 不存在。").arg(name));
    currentRowData().values[col] = value;
    Q_EMIT rowChanged(m_current);
}

bool Dataset::locate(const QString& name, const QVariant& value)
{
    const int col = fieldIndex(name);
    if (col < 0 || !isOpen())
        return false;
    const QString wanted = value.toString().trimmed();
    for (int row = 0;; ++row) {
        while (row >= fetchedCount() && canFetchMore())
            fetchPage();
        if (row >= fetchedCount())
            return false;
        const QVariant v = this->value(row, col);
        if (sameValue(v, value) ||
            (!v.isNull() && v.toString().trimmed().compare(wanted, Qt::CaseInsensitive) == 0)) {
            setCurrentRow(row);
            return true;
        }
    }
}

void Dataset::setState(State s)
{
    if (m_state == s)
        return;
    m_state = s;
    Q_EMIT stateChanged(s);
}

void Dataset::append()
{
    if (!isOpen())
        throw DatabaseError(QStringLiteral("数据集未打开。"));
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("数据集是只读的。"));
    if (isEditing())
        post();
    fetchAll(); // the new row goes after every existing one
    Row row;
    row.values.resize(m_fields.size());
    row.original = row.values;
    row.change = RowChange::Inserted;
    m_rows.append(row);
    if (m_keyFiltered)
        m_visible.append(int(m_rows.size()) - 1);
    ++m_insertedLocally;
    m_current = fetchedCount() - 1;
    m_state = State::Insert;
    Q_EMIT rowInserted(m_current);
    Q_EMIT currentRowChanged(m_current);
    Q_EMIT stateChanged(m_state);
    for (const Rule& rule : std::as_const(m_afterInsert))
        rule(*this);
}

void Dataset::edit()
{
    if (isEditing())
        return;
    if (!isOpen() || m_current < 0)
        throw DatabaseError(QStringLiteral("数据集没有当前记录。"));
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("数据集是只读的。"));
    m_editBackup = currentRowData();
    setState(State::Edit);
}

void Dataset::requestFocus(const QString& fieldName)
{
    m_focusField = fieldName;
    Q_EMIT focusRequested(fieldName);
}

void Dataset::post()
{
    if (!isEditing())
        return;
    for (const Rule& rule : std::as_const(m_beforePost))
        rule(*this); // a failing rule throws; the row stays in its state
    Row& row = currentRowData();
    const bool inserting = m_state == State::Insert;
    if (!inserting && row.change == RowChange::None)
        row.change = RowChange::Modified;
    if (!m_batch) {
        writeRow(row);
    }
    if (inserting)
        m_focusField.clear();
    setState(State::Browse);
    Q_EMIT rowChanged(m_current);
}

void Dataset::cancel()
{
    if (!isEditing())
        return;
    const int row = m_current;
    if (m_state == State::Insert) {
        const int index = rowIndex(row);
        m_rows.remove(index);
        if (m_keyFiltered)
            m_visible.remove(row);
        --m_insertedLocally;
        m_state = State::Browse;
        Q_EMIT rowRemoved(row);
        m_current = std::min(row, fetchedCount() - 1);
        Q_EMIT currentRowChanged(m_current);
    } else {
        currentRowData() = m_editBackup;
        m_state = State::Browse;
        Q_EMIT rowChanged(row);
    }
    Q_EMIT stateChanged(m_state);
}

void Dataset::remove()
{
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (isEditing())
        cancel();
    if (!isOpen() || m_current < 0)
        return;
    if (isReadOnly())
        throw DatabaseError(QStringLiteral("数据集是只读的。"));
    const int index = rowIndex(m_current);
    Row row = m_rows[index];
    if (row.change != RowChange::Inserted) {
        const QVariant key = row.original[fieldIndex(m_keyColumn)];
        if (m_batch) {
            m_pendingDeletes.append(key);
            m_deletedRows.append(row);
        } else {
            deleteKey(key);
        }
        ++m_removedLocally;
    } else {
        --m_insertedLocally;
    }
    m_rows.remove(index);
    if (m_keyFiltered) {
        m_visible.remove(m_current);
        for (int& v : m_visible)
            if (v > index)
                --v;
    }
    const int removed = m_current;
    Q_EMIT rowRemoved(removed);
    m_current = std::min(removed, fetchedCount() - 1);
    Q_EMIT currentRowChanged(m_current);
}

void Dataset::deleteKey(const QVariant& key)
{
    connection().execute(QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(m_updateTable, m_keyColumn),
                         {key});
}

void Dataset::writeRow(Row& row)
{
    Connection& c = connection();
    const int keyIndex = fieldIndex(m_keyColumn);
    QStringList columns;
    QVariantList values;
    if (row.change == RowChange::Inserted) {
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].writable && !row.values[i].isNull()) {
                columns << columnSql(c, m_fields[i].name);
                values << toDatabase(i, row.values[i]);
            }
        }
        QSqlQuery q(c.database());
        const QString sql = c.dialect().insertReturningKey(m_updateTable, columns, m_keyColumn);
        if (!q.prepare(sql))
            throw DatabaseError(q.lastError().text(), sql);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values[i]);
        if (!q.exec() || !q.next())
            throw DatabaseError(q.lastError().text(), sql);
        if (keyIndex >= 0)
            row.values[keyIndex] = q.value(0).toInt();
    } else {
        for (int i = 0; i < m_fields.size(); ++i) {
            if (m_fields[i].writable && !sameValue(row.values[i], row.original[i])) {
                columns << columnSql(c, m_fields[i].name) + QStringLiteral(" = ?");
                values << toDatabase(i, row.values[i]);
            }
        }
        if (!columns.isEmpty()) {
            values << row.original[keyIndex];
            c.execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                          .arg(m_updateTable, columns.join(QStringLiteral(", ")), m_keyColumn),
                      values);
        }
    }
    row.change = RowChange::None;
    reloadRow(row);
}

void Dataset::reloadRow(Row& row)
{
    // Computed columns (RemainCount, ReaderCateName) and database defaults
    // come from the database after a write.
    const int keyIndex = fieldIndex(m_keyColumn);
    if (keyIndex < 0 || row.values[keyIndex].isNull()) {
        row.original = row.values;
        return;
    }
    try {
        QSqlQuery q = connection().select(
            QStringLiteral("SELECT * FROM (") + selectWithoutOrder() + QStringLiteral(") AS row_ WHERE ") +
            m_keyColumn + QStringLiteral(" = ") + QString::number(row.values[keyIndex].toLongLong()));
        if (q.next() && q.record().count() == m_fields.size()) {
            for (int i = 0; i < m_fields.size(); ++i)
                row.values[i] = fromDatabase(i, q.value(i));
        }
    } catch (const DatabaseError&) {
        // The select may not allow wrapping; the written values stand.
    }
    row.original = row.values;
}

bool Dataset::hasPendingUpdates() const
{
    if (!m_pendingDeletes.isEmpty())
        return true;
    return std::any_of(m_rows.begin(), m_rows.end(),
                       [](const Row& r) { return r.change != RowChange::None; });
}

void Dataset::applyUpdates()
{
    if (isEditing())
        post();
    for (const QVariant& key : std::as_const(m_pendingDeletes))
        deleteKey(key);
    for (int i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].change != RowChange::None) {
            writeRow(m_rows[i]);
            Q_EMIT rowChanged(m_keyFiltered ? int(m_visible.indexOf(i)) : i);
        }
    }
    m_pendingDeletes.clear();
    m_deletedRows.clear();
}

void Dataset::cancelUpdates()
{
    if (isEditing())
        cancel();
    for (int i = int(m_rows.size()) - 1; i >= 0; --i) {
        Row& r = m_rows[i];
        if (r.change == RowChange::Inserted) {
            m_rows.remove(i);
            --m_insertedLocally;
            Q_EMIT rowRemoved(i);
        } else if (r.change == RowChange::Modified) {
            r.values = r.original;
            r.change = RowChange::None;
            Q_EMIT rowChanged(i);
        }
    }
    for (const Row& r : std::as_const(m_deletedRows)) {
        m_rows.append(r);
        --m_removedLocally;
        Q_EMIT rowInserted(int(m_rows.size()) - 1);
    }
    m_pendingDeletes.clear();
    m_deletedRows.clear();
    m_current = std::min(m_current, fetchedCount() - 1);
    if (m_current < 0 && fetchedCount() > 0)
        m_current = 0;
    Q_EMIT currentRowChanged(m_current);
}

void Dataset::setKeyFilter(const QList<QVariant>& keys)
{
    fetchAll();
    const int keyIndex = fieldIndex(m_keyColumn);
    QSet<QString> wanted;
    for (const QVariant& k : keys)
        wanted.insert(k.toString());
    m_visible.clear();
    for (int i = 0; i < m_rows.size(); ++i)
        if (keyIndex >= 0 && wanted.contains(m_rows[i].values[keyIndex].toString()))
            m_visible.append(i);
    m_keyFiltered = true;
    m_current = m_visible.isEmpty() ? -1 : 0;
    Q_EMIT opened();
    Q_EMIT currentRowChanged(m_current);
}

void Dataset::clearKeyFilter()
{
    if (!m_keyFiltered)
        return;
    m_keyFiltered = false;
    m_visible.clear();
    m_current = m_rows.isEmpty() ? -1 : 0;
    Q_EMIT opened();
    Q_EMIT currentRowChanged(m_current);
}

} // namespace dedizo
