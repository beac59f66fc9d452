#include "core/ui/FatherForm.h"

#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/Connection.h"
#include "core/DataModule.h"
#include "core/Dataset.h"
#include "core/ProgressService.h"
#include "core/Prompts.h"
#include "core/SQLBuilder.h"
#include "core/ui/ActionTags.h"
#include "core/ui/DataGrid.h"
#include "core/ui/DesktopTools.h"
#include "core/ui/GridOutputForm.h"
#include "core/ui/QLDBFilterForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace dedizo {

namespace {
std::function<void(QWidget*)>& aboutHandler()
{
    static std::function<void(QWidget*)> h;
    return h;
}

FilterFieldType filterTypeOf(ColumnType t)
{
    switch (t) {
    case ColumnType::Key:
    case ColumnType::Int:
    case ColumnType::Small:
    case ColumnType::Money:
        return FilterFieldType::Number;
    case ColumnType::Bool:
        return FilterFieldType::Boolean;
    case ColumnType::DateTime:
        return FilterFieldType::Date;
    case ColumnType::Blob:
        return FilterFieldType::Blob;
    default:
        return FilterFieldType::Text;
    }
}
} // namespace

void FatherForm::setAboutHandler(std::function<void(QWidget*)> handler)
{
    aboutHandler() = std::move(handler);
}

FatherForm::FatherForm(Dataset* dataset, QWidget* parent)
    : QDialog(parent), m_dataset(dataset), m_grid(new DataGrid(dataset, this)), m_countLabel(new QLabel(this))
{
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    setSizeGripEnabled(true);
    resize(1000, 640);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    MnuMain = new QMenuBar(this);
    layout->setMenuBar(MnuMain);
    TBarMain = new QToolBar(this);
    TBarMain->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    layout->addWidget(TBarMain);
    layout->addWidget(m_grid, 1);
    SBarMain = new QStatusBar(this);
    SBarMain->addWidget(m_countLabel);
    layout->addWidget(SBarMain);
    m_grid->setMultiSelect(true);
    createActions();

    connect(m_grid, &DataGrid::activatedRow, this, [this](int) { runEdit(); });
    for (auto signal : {&Dataset::opened, &Dataset::closed})
        connect(m_dataset, signal, this, &FatherForm::updateRecordCount);
    connect(m_dataset, &Dataset::rowInserted, this, &FatherForm::updateRecordCount);
    connect(m_dataset, &Dataset::rowRemoved, this, &FatherForm::updateRecordCount);
    connect(m_dataset, &Dataset::currentRowChanged, this, &FatherForm::updateRecordCount);
    updateRecordCount();

    if (QFileInfo::exists(AppPaths::configFile()) && ConfigManager(AppPaths::configFile()).isOEM())
        MnuHelp->menuAction()->setVisible(false);
}

FatherForm::~FatherForm() = default;

void FatherForm::createActions()
{
    auto make = [this](const QString& text, const QKeySequence& shortcut = {}, int tag = TagNone) {
        auto* a = new QAction(text, this);
        if (!shortcut.isEmpty())
            a->setShortcut(shortcut);
        setActionTag(a, tag);
        addAction(a);
        return a;
    };
    SystemExit = make(QStringLiteral("关闭(&C)"), QKeySequence(Qt::ALT | Qt::Key_F4));
    ToolsCalc = make(QStringLiteral("计算器(&C)"), QKeySequence(Qt::CTRL | Qt::Key_F11));
    ToolsNote = make(QStringLiteral("记事本(&N)"), QKeySequence(Qt::CTRL | Qt::Key_F12));
    HelpBook = make(QStringLiteral("用户手册"), QKeySequence(Qt::Key_F1));
    HelpURL = make(QStringLiteral("公司网站(&W)"), QKeySequence(Qt::CTRL | Qt::Key_W));
    HelpAbout = make(QStringLiteral("关于(&A)..."), QKeySequence(Qt::CTRL | Qt::Key_A));
    ActionPrint = make(QStringLiteral("打印(&P)"), {}, TagPrint);
    ActionExport = make(QStringLiteral("导出(&E)"), {}, TagPrint);
    ActionCustomColumns = make(QStringLiteral("自定义列"));
    ActionShowAll = make(QStringLiteral("显示全部"));
    ActionRefresh = make(QStringLiteral("刷新(&R)"));
    ActionRefreshWithLocate = make(QStringLiteral("刷新(&R)"));
    ActionShowFilter = make(QStringLiteral("查询(&F)"));
    ActionShowDBFilter = make(QStringLiteral("查询(&F)"));
    ActionShowSQL = make(QString(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F1));

    MnuSystem = MnuMain->addMenu(QStringLiteral("系统(&S)"));
    MnuSystem->addAction(SystemExit);
    MnuTools = MnuMain->addMenu(QStringLiteral("工具(&T)"));
    MnuTools->addAction(ToolsCalc);
    MnuTools->addAction(ToolsNote);
    MnuHelp = MnuMain->addMenu(QStringLiteral("帮助(&H)"));
    MnuHelp->addAction(HelpBook);
    MnuHelp->addAction(HelpURL);
    MnuHelp->addSeparator();
    MnuHelp->addAction(HelpAbout);

    for (QAction* a : {ActionRefresh, ActionShowDBFilter, ActionShowAll, ActionExport, ActionPrint,
                       ActionCustomColumns, SystemExit})
        TBarMain->addAction(a);
    m_firstBaseToolAction = ActionRefresh;

    connect(SystemExit, &QAction::triggered, this, &QDialog::reject);
    connect(ToolsCalc, &QAction::triggered, this, [] { runCalculator(); });
    connect(ToolsNote, &QAction::triggered, this, [] { runTextEditor(); });
    connect(HelpBook, &QAction::triggered, this, [] { ShowHelp(); });
    connect(HelpURL, &QAction::triggered, this, [] { openSupplierSite(); });
    connect(HelpAbout, &QAction::triggered, this, [this] {
        if (aboutHandler())
            aboutHandler()(this);
    });
    connect(ActionExport, &QAction::triggered, this,
            [this] { GridOutputForm::exportView(m_grid->view(), this); });
    connect(ActionCustomColumns, &QAction::triggered, m_grid, &DataGrid::showColumnChooser);
    connect(ActionShowAll, &QAction::triggered, this, [this] { ApplyWhere(QString()); });
    connect(ActionRefresh, &QAction::triggered, this, &FatherForm::refresh);
    connect(ActionRefreshWithLocate, &QAction::triggered, this, &FatherForm::refreshWithLocate);
    connect(ActionShowFilter, &QAction::triggered, this, &FatherForm::showColumnFilter);
    connect(ActionShowDBFilter, &QAction::triggered, this, &FatherForm::showDBFilter);
    connect(ActionShowSQL, &QAction::triggered, this, [this] { ShowInfo(m_dataset->sqlText()); });
}

void FatherForm::addToolAction(QAction* action)
{
    if (!actions().contains(action))
        addAction(action);
    TBarMain->insertAction(m_firstBaseToolAction, action);
}

QString FatherForm::recordCountText() const
{
    return QStringLiteral("共有记录：%1 条").arg(m_dataset->isOpen() ? m_dataset->recordCount() : 0);
}

void FatherForm::updateRecordCount()
{
    m_countLabel->setText(recordCountText());
}

void FatherForm::runEdit()
{
    if (m_actionEdit && m_actionEdit->isEnabled() && m_actionEdit->isVisible() && m_dataset->isOpen() &&
        !m_dataset->isEmpty())
        m_actionEdit->trigger();
}

void FatherForm::ApplyWhere(const QString& condition)
{
    m_grid->clearFilter();
    SQLBuilder::Where(m_dataset->sql(), condition.trimmed());
    refresh();
}

void FatherForm::refresh()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        m_dataset->close();
        m_dataset->open();
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
}

void FatherForm::refreshWithLocate()
{
    QVariant first;
    if (m_dataset->isOpen() && !m_dataset->isEmpty() && m_dataset->currentRow() >= 0)
        first = m_dataset->value(m_dataset->currentRow(), 0);
    refresh();
    if (first.isValid() && m_dataset->fieldCount() > 0) {
        if (m_dataset->locate(m_dataset->field(0).name, first))
            m_grid->view()->selectRow(m_dataset->currentRow());
    }
}

void FatherForm::showDBFilter()
{
    QLDBFilterDialog& dialog = QLDBFilterDialog::shared();
    QList<FilterField> fields;
    QStringList names;
    for (int i = 0; i < m_dataset->fieldCount(); ++i) {
        const DatasetField& f = m_dataset->field(i);
        fields.append({f.name, f.label.isEmpty() ? f.name : f.label, filterTypeOf(f.type)});
        if (!f.hidden && !f.name.contains(QLatin1Char('.')))
            names << f.name;
    }
    dialog.setDataSetFields(fields);
    dialog.clearConditions();
    dialog.setFilterFields(names.join(QLatin1Char(';')));
    if (dialog.Execute(this))
        ApplyWhere(dialog.GetFilter());
}

void FatherForm::showColumnFilter()
{
    // The grid's own filter: the value list of the current column's header.
    const QModelIndex current = m_grid->view()->currentIndex();
    const int column = current.isValid() ? current.column() : 0;
    QHeaderView* header = m_grid->view()->horizontalHeader();
    Q_EMIT header->customContextMenuRequested(QPoint(header->sectionViewportPosition(column) + 4, 4));
}

int FatherForm::currentKey() const
{
    return m_dataset->fieldCount() > 0 ? m_dataset->value(m_dataset->currentRow(), 0).toInt() : 0;
}

bool FatherForm::CanDeleteRecord(int)
{
    return true;
}

void FatherForm::DoDeleteRecord(int)
{
    m_dataset->remove();
}

void FatherForm::DeleteSelectedRecords()
{
    const QList<int> rows = m_grid->selectedRows();
    if (rows.isEmpty()) {
        ShowInfo(QStringLiteral("未选中任何记录。"));
        return;
    }
    if (!Confirm(QStringLiteral("即将删除 %1 条记录，确定吗？").arg(rows.size())))
        return;
    ProgressService& progress = progressService();
    progress.setTitle(QStringLiteral("正在删除记录..."));
    progress.setMax(int(rows.size()));
    progress.Start();
    m_grid->view()->setUpdatesEnabled(false);
    int refused = 0;
    Connection& connection = m_dataset->connection();
    try {
        inTransaction(connection, [&] {
            // Last row first, so the rows still to come keep their places.
            for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
                if (progress.IsStoped())
                    break;
                m_dataset->setCurrentRow(*it);
                const int key = currentKey();
                if (CanDeleteRecord(key))
                    DoDeleteRecord(key);
                else
                    ++refused;
                progress.StepIt();
            }
        });
    } catch (...) {
        m_grid->view()->setUpdatesEnabled(true);
        if (progress.isShown())
            progress.stop();
        refresh(); // rows removed from the list before the rollback come back
        throw;
    }
    m_grid->view()->clearSelection();
    m_grid->view()->setUpdatesEnabled(true);
    updateRecordCount();
    if (refused > 0)
        ShowInfo(QStringLiteral("%1 条记录因存在未归还借阅记录而无法删除。").arg(refused));
}

void FatherForm::showEvent(QShowEvent* event)
{
    ActionPrint->setVisible(false);
    QDialog::showEvent(event);
}

void FatherForm::closeEvent(QCloseEvent* event)
{
    QDialog::closeEvent(event);
}

void FatherForm::done(int result)
{
    if (m_dataset->isEditing())
        m_dataset->cancel();
    m_dataset->close();
    QDialog::done(result);
}

} // namespace dedizo
