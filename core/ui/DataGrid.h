#pragma once

#include <QPair>
#include <QVariant>
#include <QWidget>

class QLabel;
class QTableView;
class QHBoxLayout;

namespace dedizo {

class Dataset;
class DatasetModel;

// A data grid over one dataset in server mode: the database sorts, filters
// and totals; the grid only shows the rows the dataset fetches.
//  - header click sorts by a column, Shift+click adds a further sort column;
//    the sort becomes the dataset's ORDER BY and the dataset is reopened;
//  - right click on a header offers the column's distinct values (one short
//    query) as a check list; the chosen values become the user condition;
//  - footer totals are one SUM query over every row matching the conditions;
//  - hidden fields give hidden columns that cannot be shown or filtered.
class DataGrid : public QWidget
{
    Q_OBJECT
public:
    explicit DataGrid(Dataset* dataset, QWidget* parent = nullptr);

    QTableView* view() const { return m_view; }
    DatasetModel* model() const { return m_model; }
    Dataset* dataset() const { return m_dataset; }

    // Column sorting: field names with their order, first is the main sort.
    using SortColumn = QPair<QString, Qt::SortOrder>;
    void setSortColumns(const QList<SortColumn>& columns);
    const QList<SortColumn>& sortColumns() const { return m_sort; }
    // The ORDER BY list for the sort columns ("A, B DESC").
    static QString orderByList(const QList<SortColumn>& columns);

    // Column filters: a field keeps the rows whose value is one of `values`.
    struct FilterValue
    {
        QVariant value;
        QString text; // as shown: "是"/"否", "男"/"女", dates "yyyy/MM/dd"
    };
    QList<FilterValue> distinctValues(const QString& field) const;
    void setColumnFilter(const QString& field, const QVariantList& values); // empty list removes it
    QString filterExpression() const;
    // Removes every column filter without reopening (the window sets its own condition next).
    void clearFilter();
    bool hasColumnFilters() const { return !m_filters.isEmpty(); }

    // Footer totals (sums) under the named columns, shown with `format` ("%.2f" style, or empty).
    void addFooter(const QStringList& fields, const QString& format = QString());
    void calculateSummary();
    QVariant footerValue(const QString& field) const { return m_footerValues.value(field.toLower()); }

    // Rows chosen by the user (view rows, ascending).
    QList<int> selectedRows() const;
    // Several rows may be selected; with check boxes each row header shows
    // a box that toggles its row, and the corner selects all.
    void setMultiSelect(bool on, bool withCheckBoxes = false);

    // Shows or hides a column by field name (the column chooser).
    void setColumnVisible(const QString& field, bool visible);
    void showColumnChooser();

    // Hides the hidden fields' columns; call after the dataset's fields change.
    void applyFieldVisibility();

Q_SIGNALS:
    void activatedRow(int row); // double click or Enter

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void headerClicked(int section);
    void headerMenu(const QPoint& pos);
    void reopenWithSql();
    void updateFooter();
    QString literalFor(const QString& field, const QVariant& value) const;

    Dataset* m_dataset;
    DatasetModel* m_model;
    QTableView* m_view;
    QWidget* m_footer;
    QHBoxLayout* m_footerLayout;
    QList<SortColumn> m_sort;
    QList<QPair<QString, QVariantList>> m_filters;
    QStringList m_footerFields;
    QString m_footerFormat;
    QHash<QString, QVariant> m_footerValues;
    QHash<QString, QLabel*> m_footerLabels;
    bool m_fieldsApplied = false;
};

} // namespace dedizo
