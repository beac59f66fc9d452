#include "admin/ui/CheckColumnsProxy.h"

namespace dedizo {

QVariant CheckColumnsProxy::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_columns.contains(index.column()))
        return QIdentityProxyModel::data(index, role);
    switch (role) {
    case Qt::CheckStateRole:
        return QIdentityProxyModel::data(index, Qt::EditRole).toBool() ? Qt::Checked : Qt::Unchecked;
    case Qt::DisplayRole:
        return {};
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

bool CheckColumnsProxy::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (index.isValid() && m_columns.contains(index.column()) && role == Qt::CheckStateRole) {
        const bool on = value.toInt() == Qt::Checked;
        if (!QIdentityProxyModel::setData(index, on, Qt::EditRole))
            return false;
        Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
        return true;
    }
    return QIdentityProxyModel::setData(index, value, role);
}

Qt::ItemFlags CheckColumnsProxy::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QIdentityProxyModel::flags(index);
    if (index.isValid() && m_columns.contains(index.column())) {
        const bool editable = f.testFlag(Qt::ItemIsEditable);
        f &= ~Qt::ItemIsEditable;
        if (editable)
            f |= Qt::ItemIsUserCheckable;
    }
    return f;
}

} // namespace dedizo
