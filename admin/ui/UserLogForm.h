#pragma once

#include <QDialog>

class QAction;
class QTableView;
class QToolBar;

namespace dedizo {

class DatasetModel;

// TUserLogForm ("操作日志管理", key 53): the operation log, read only, over
// DM1().UserLogQuery. It opens with every entry in table order; "查询(&F)"
// narrows it with the shared condition builder. Nothing here changes the log.
class UserLogForm : public QDialog
{
    Q_OBJECT
public:
    explicit UserLogForm(QWidget* parent = nullptr);
    ~UserLogForm() override;

    // Reopens the list with a user condition (empty: every entry).
    void applyCondition(const QString& condition);
    void find(); // 查询(&F)
    void print();

    QToolBar* ToolBar = nullptr;
    QAction* ActionFind = nullptr;
    QAction* ActionColumns = nullptr;
    QAction* ActionPrint = nullptr;
    QAction* ActionExport = nullptr;
    QAction* ActionClose = nullptr;
    QTableView* Grid = nullptr;

private:
    void showColumnMenu();
    DatasetModel* m_model = nullptr;
};

} // namespace dedizo
