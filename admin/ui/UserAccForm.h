#pragma once

#include <QDialog>

class QAbstractItemModel;
class QLabel;
class QSortFilterProxyModel;
class QTableView;
class QTreeWidget;

namespace dedizo {

class CheckColumnsProxy;
class DatasetModel;

// TUserAccForm ("用户授权"): the rights of the users window's current user,
// over DM1().FunQuery; the three rights are check boxes written cell by
// cell. A user without rights rows gets one per function first (open
// false, operate and print true). Rights take effect at the next login.
class UserAccForm : public QDialog
{
    Q_OBJECT
public:
    explicit UserAccForm(QWidget* parent = nullptr);
    ~UserAccForm() override;

    // 0 = all functions, 1..5 = the group (FunCate).
    void selectGroup(int funCate);
    // The view's model (rows as shown, columns of FunQuery).
    QAbstractItemModel* gridModel() const;

    QLabel* LblStatus = nullptr;
    QTreeWidget* TreeGroups = nullptr;
    QTableView* Grid = nullptr;

    // Closing posts a pending edit.
    void done(int result) override;

private:
    DatasetModel* m_model = nullptr;
    CheckColumnsProxy* m_checks = nullptr;
    QSortFilterProxyModel* m_filter = nullptr;
};

} // namespace dedizo
