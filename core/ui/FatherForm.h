#pragma once

#include <QDialog>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;

namespace dedizo {

class Dataset;
class DataGrid;

// TFatherForm: the base of every list window. A menu, a tool bar, a data
// grid over one dataset (server mode) and a status bar with the record
// count; the common actions (refresh, show all, database query, export,
// columns, tools, help); edit on double click or Enter; the multi-row delete
// with confirmation, progress, one transaction and a per-row veto.
// Actions carry their rights tag (ActionTags.h).
class FatherForm : public QDialog
{
    Q_OBJECT
public:
    explicit FatherForm(Dataset* dataset, QWidget* parent = nullptr);
    ~FatherForm() override;

    Dataset* GetDataSet() const { return m_dataset; }
    DataGrid* grid() const { return m_grid; }

    // The derived window's edit action, run on double click or Enter.
    void setEditAction(QAction* action) { m_actionEdit = action; }
    // Replaces the user condition (empty = every row), keeps the fixed one, reopens.
    void ApplyWhere(const QString& condition);
    // Deletes the selected rows (see CanDeleteRecord / DoDeleteRecord).
    void DeleteSelectedRecords();
    // Adds an action of the derived window to the tool bar (in front of the base's).
    void addToolAction(QAction* action);

    // The About window lives with the main window; it registers itself here.
    static void setAboutHandler(std::function<void(QWidget*)> handler);

    QMenuBar* MnuMain = nullptr;
    QMenu* MnuSystem = nullptr;
    QMenu* MnuTools = nullptr;
    QMenu* MnuHelp = nullptr;
    QToolBar* TBarMain = nullptr;
    QStatusBar* SBarMain = nullptr;

    QAction* SystemExit = nullptr;
    QAction* ToolsCalc = nullptr;
    QAction* ToolsNote = nullptr;
    QAction* HelpBook = nullptr;
    QAction* HelpURL = nullptr;
    QAction* HelpAbout = nullptr;
    QAction* ActionPrint = nullptr;
    QAction* ActionExport = nullptr;
    QAction* ActionCustomColumns = nullptr;
    QAction* ActionShowAll = nullptr;
    QAction* ActionRefresh = nullptr;
    QAction* ActionRefreshWithLocate = nullptr;
    QAction* ActionShowFilter = nullptr;
    QAction* ActionShowDBFilter = nullptr;
    QAction* ActionShowSQL = nullptr;

    // The record count text of the status bar.
    QString recordCountText() const;

protected:
    // Deletes the row whose key is `key` (the current row already); the base removes the current row.
    virtual void DoDeleteRecord(int key);
    // Whether the row may be deleted; the base answers true.
    virtual bool CanDeleteRecord(int key);

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    void createActions();
    void runEdit();
    void refresh();
    void refreshWithLocate();
    void showDBFilter();
    void showColumnFilter();
    void updateRecordCount();
    int currentKey() const;

    Dataset* m_dataset;
    DataGrid* m_grid;
    QLabel* m_countLabel;
    QAction* m_actionEdit = nullptr;
    QAction* m_firstBaseToolAction = nullptr;
};

} // namespace dedizo
