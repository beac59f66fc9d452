#include "core/DatasetModel.h"

#include "core/Dataset.h"

#include <QDate>

namespace dedizo {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset)
{
    // The dataset changes its rows first and tells afterwards; the model keeps
    // its own count so views see the old shape until the change is announced.
    auto reset = [this] {
        beginResetModel();
        m_rows = m_dataset ? m_dataset->fetchedCount() : 0;
        endResetModel();
    };
    connect(dataset, &Dataset::opened, this, reset);
    connect(dataset, &Dataset::closed, this, reset);
    connect(dataset, &Dataset::rowsFetched, this, [this](int first, int last) {
        beginInsertRows({}, first, last);
        m_rows += last - first + 1;
        endInsertRows();
    });
    connect(dataset, &Dataset::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        ++m_rows;
        endInsertRows();
    });
    connect(dataset, &Dataset::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        --m_rows;
        endRemoveRows();
    });
    m_rows = dataset->fetchedCount();
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (row >= 0)
            Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
    });
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_rows;
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_dataset ? 0 : m_dataset->fieldCount();
}

QString DatasetModel::displayText(const Dataset& dataset, int column, const QVariant& value)
{
    if (value.isNull() || !value.isValid())
        return {};
    const DatasetField& f = dataset.field(column);
    switch (f.type) {
    case ColumnType::Bool:
        if (f.name.compare(QLatin1String("Sex"), Qt::CaseInsensitive) == 0)
            return value.toBool() ? QStringLiteral("男") : QStringLiteral("女");
        return value.toBool() ? QStringLiteral("是") : QStringLiteral("否");
    case ColumnType::DateTime:
        return value.toDate().toString(QStringLiteral("yyyy/MM/dd"));
    case ColumnType::Money:
        return QString::number(value.toDouble(), 'f', 2);
    default:
        return value.toString();
    }
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    if (!m_dataset || !index.isValid())
        return {};
    const QVariant v = m_dataset->value(index.row(), index.column());
    switch (role) {
    case Qt::DisplayRole:
        return displayText(*m_dataset, index.column(), v);
    case Qt::EditRole:
        return v;
    case Qt::TextAlignmentRole: {
        const ColumnType t = m_dataset->field(index.column()).type;
        if (t == ColumnType::Int || t == ColumnType::Small || t == ColumnType::Money || t == ColumnType::Key)
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return {};
    }
    default:
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (!m_dataset || role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= m_dataset->fieldCount())
        return {};
    const DatasetField& f = m_dataset->field(section);
    return f.label.isEmpty() ? f.name : f.label;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && m_dataset && index.isValid() && m_dataset->field(index.column()).writable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!m_editable || !m_dataset || role != Qt::EditRole || !index.isValid())
        return false;
    m_dataset->setCurrentRow(index.row());
    m_dataset->edit();
    m_dataset->setValue(m_dataset->field(index.column()).name, value);
    m_dataset->post();
    return true;
}

bool DatasetModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && m_dataset && m_dataset->canFetchMore();
}

void DatasetModel::fetchMore(const QModelIndex& parent)
{
    if (!parent.isValid() && m_dataset)
        m_dataset->fetchMore();
}

} // namespace dedizo
