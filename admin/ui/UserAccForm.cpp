#include "admin/ui/UserAccForm.h"

#include "admin/UsersAdmin.h"
#include "admin/ui/CheckColumnsProxy.h"
#include "core/DatasetModel.h"
#include "core/DbUtils.h"
#include "core/SharedDatasets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dedizo {

UserAccForm::UserAccForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("用户授权"));
    resize(640, 440);
    Dataset& users = DM1().UserQuery;
    const int userId = users.value(QStringLiteral("UserID")).toInt();

    LblStatus =
        new QLabel(QStringLiteral("授权用户:") + users.text(QStringLiteral("UserCode")).trimmed() +
                       QLatin1Char('[') + users.text(QStringLiteral("UserName")).trimmed() + QLatin1Char(']'),
                   this);

    TreeGroups = new QTreeWidget(this);
    TreeGroups->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(TreeGroups, {QStringLiteral("全部功能")});
    root->setData(0, Qt::UserRole, 0);
    const QStringList groups{QStringLiteral("书刊管理"), QStringLiteral("读者管理"),
                             QStringLiteral("借阅管理"), QStringLiteral("查询统计"),
                             QStringLiteral("系统维护")};
    for (int i = 0; i < groups.size(); ++i)
        (new QTreeWidgetItem(root, {groups[i]}))->setData(0, Qt::UserRole, i + 1);
    TreeGroups->expandAll();
    TreeGroups->setMaximumWidth(200);

    Dataset& funs = DM1().FunQuery;
    funs.close();
    funs.sql() = FunQuerySql(userId);
    funs.open();
    if (funs.isEmpty()) {
        CreateMissingRights(userId);
        ReopenQuery(funs);
    }
    funs.fetchAll();

    m_model = new DatasetModel(&funs, this);
    m_model->setEditable(true);
    m_checks = new CheckColumnsProxy(this);
    m_checks->setSourceModel(m_model);
    QSet<int> checkColumns;
    for (const char* name : {"IsOpen", "IsOperate", "IsPrint"})
        checkColumns << funs.fieldIndex(QLatin1String(name));
    m_checks->setCheckColumns(checkColumns);
    m_filter = new QSortFilterProxyModel(this);
    m_filter->setSourceModel(m_checks);
    m_filter->setFilterKeyColumn(funs.fieldIndex(QStringLiteral("FunCate")));
    m_filter->setFilterRole(Qt::EditRole);

    Grid = new QTableView(this);
    Grid->setModel(m_filter);
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    for (int i = 0; i < funs.fieldCount(); ++i) {
        const QString name = funs.field(i).name;
        const bool shown = name == QLatin1String("FunName") || checkColumns.contains(i);
        Grid->setColumnHidden(i, !shown);
    }
    Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Grid->horizontalHeader()->setStretchLastSection(true);

    auto* split = new QSplitter(this);
    split->addWidget(TreeGroups);
    split->addWidget(Grid);
    split->setStretchFactor(1, 1);
    split->setSizes({170, 450});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addWidget(LblStatus);

    connect(TreeGroups, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item)
            selectGroup(item->data(0, Qt::UserRole).toInt());
    });
    TreeGroups->setCurrentItem(root);
    selectGroup(0);
}

UserAccForm::~UserAccForm()
{
    DM1().FunQuery.close();
}

void UserAccForm::done(int result)
{
    Dataset& funs = DM1().FunQuery;
    if (funs.isEditing())
        funs.post();
    QDialog::done(result);
}

void UserAccForm::selectGroup(int funCate)
{
    if (funCate <= 0)
        m_filter->setFilterRegularExpression(QString());
    else
        m_filter->setFilterRegularExpression(QStringLiteral("^%1$").arg(funCate));
    Grid->setEnabled(m_filter->rowCount() > 0);
}

QAbstractItemModel* UserAccForm::gridModel() const
{
    return m_filter;
}

} // namespace dedizo
