#pragma once

#include "core/GridExport.h"

#include <QDialog>
#include <QList>

class QAbstractItemModel;
class QPushButton;
class QRadioButton;
class QTableView;

namespace dedizo {

// The export window ("设置"): choose a type, then a file, and the grid's
// visible columns with every row of its list are written to it.
class GridOutputForm : public QDialog
{
    Q_OBJECT
public:
    // `columns`: the model columns to write, in order (empty: all).
    GridOutputForm(QAbstractItemModel* model, const QList<int>& columns, QWidget* parent = nullptr);

    // The columns a table view shows, in the order it shows them.
    static QList<int> visibleColumns(const QTableView* view);
    // Shows the export window modally for the list of `view`.
    static int exportView(QTableView* view, QWidget* parent = nullptr);

    ExportFormat selectedFormat() const;
    void selectFormat(ExportFormat format);

    QList<QRadioButton*> RbTypes;
    QPushButton* BtnOK = nullptr;
    QPushButton* BtnCancel = nullptr;

private:
    void save();

    QAbstractItemModel* m_model;
    QList<int> m_columns;
};

} // namespace dedizo
