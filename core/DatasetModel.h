#pragma once

#include <QAbstractTableModel>
#include <QPointer>

namespace dedizo {

class Dataset;

// Shows a dataset in a Qt view: one column per field, the display labels as
// headers, rows fetched page by page as the view scrolls. Booleans read
// "是"/"否" and the column Sex "男"/"女"; dates "yyyy/MM/dd". Editable
// models write cell by cell (edit, set, post on the dataset).
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    void setEditable(bool editable) { m_editable = editable; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    // The display text of a value of the given field, as grids and exports show it.
    static QString displayText(const Dataset& dataset, int column, const QVariant& value);

private:
    QPointer<Dataset> m_dataset;
    int m_rows = 0; // rows the view has been told about
    bool m_editable = false;
};

} // namespace dedizo
