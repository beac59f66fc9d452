#pragma once

#include <QIdentityProxyModel>
#include <QSet>

namespace dedizo {

// Shows chosen boolean columns of an editable model as check boxes edited
// cell by cell: the check state maps to the source's edit value, and a
// click writes true or false back through the source's setData.
class CheckColumnsProxy : public QIdentityProxyModel
{
    Q_OBJECT
public:
    explicit CheckColumnsProxy(QObject* parent = nullptr) : QIdentityProxyModel(parent) {}

    void setCheckColumns(const QSet<int>& columns) { m_columns = columns; }

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QSet<int> m_columns;
};

} // namespace dedizo
