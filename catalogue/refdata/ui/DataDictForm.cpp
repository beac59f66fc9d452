#include "catalogue/refdata/ui/DataDictForm.h"

#include "catalogue/refdata/DataDictionary.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"
#include "core/ui/ActionTags.h"
#include "core/ui/DataGrid.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace dedizo {

DataDictForm::DataDictForm(QWidget* parent) : FatherForm(&DM1().ItemsQuery, parent)
{
    setWindowTitle(QStringLiteral("数据字典维护"));
    resize(760, 520);

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(4, 4, 0, 4);
    leftLayout->addWidget(new QLabel(QStringLiteral("字典类别"), left));
    LstCategories = new QListWidget(left);
    for (const DataDictCate& cate : dataDictCates())
        LstCategories->addItem(cate.Title);
    leftLayout->addWidget(LstCategories);

    auto* outer = qobject_cast<QVBoxLayout*>(layout());
    const int at = outer->indexOf(grid());
    outer->removeWidget(grid());
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(left);
    splitter->addWidget(grid());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({170, 560});
    outer->insertWidget(at, splitter, 1);

    ItemsAdd = new QAction(QStringLiteral("新增(&A)"), this);
    ItemsMod = new QAction(QStringLiteral("修改(&M)"), this);
    ItemsDel = new QAction(QStringLiteral("删除(&D)"), this);
    for (QAction* a : {ItemsAdd, ItemsMod, ItemsDel}) {
        setActionTag(a, TagOperate);
        addToolAction(a);
    }
    setEditAction(ItemsMod);
    connect(ItemsAdd, &QAction::triggered, this, &DataDictForm::addItem);
    connect(ItemsMod, &QAction::triggered, this, &DataDictForm::modifyItem);
    connect(ItemsDel, &QAction::triggered, this, &DataDictForm::deleteItem);
    connect(LstCategories, &QListWidget::currentRowChanged, this, &DataDictForm::openItems);

    LstCategories->setCurrentRow(0);
}

int DataDictForm::currentCategory() const
{
    return LstCategories->currentRow();
}

void DataDictForm::selectCategory(int itemCate)
{
    LstCategories->setCurrentRow(itemCate);
}

void DataDictForm::openItems()
{
    Dataset* items = GetDataSet();
    const int cate = currentCategory();
    // The category is the fixed condition, so the list's own filters keep to it.
    items->setSql(SQLBuilder::SQL(QStringLiteral("SELECT * FROM Items_tab"), QString(),
                                  QStringLiteral("ItemCode"),
                                  cate >= 0 ? QStringLiteral("ItemCate = %1").arg(cate) : QString()));
    ApplyWhere(QString());
}

void DataDictForm::runEditor()
{
    Dataset* items = GetDataSet();
    RecordEditForm::open(
        QStringLiteral("TItemEditForm"), QStringLiteral("项目修改"),
        [items](QWidget* p) { return new ItemEditForm(items, p); }, this);
    if (items->isEditing())
        items->cancel();
}

void DataDictForm::addItem()
{
    const int cate = currentCategory();
    if (cate < 0) {
        ShowInfo(QStringLiteral("请先选择字典类别，再执行该功能。"));
        return;
    }
    Dataset* items = GetDataSet();
    items->append();
    items->setValue(QStringLiteral("ItemCate"), cate);
    runEditor();
}

void DataDictForm::modifyItem()
{
    Dataset* items = GetDataSet();
    if (!items->isOpen() || items->isEmpty())
        return;
    items->edit();
    runEditor();
}

void DataDictForm::deleteItem()
{
    Dataset* items = GetDataSet();
    if (!items->isOpen() || items->isEmpty())
        return;
    if (Confirm(QStringLiteral("确定要删除此条记录吗?")))
        items->remove();
}

ItemEditForm::ItemEditForm(Dataset* items, QWidget* parent)
    : RecordEditForm(items, QStringLiteral("项目修改"), parent)
{
    addNumberEdit(QStringLiteral("ItemCode"), -32768, 32767);
    addTextEdit(QStringLiteral("ItemName"), 40);
}

void ItemEditForm::postRecord()
{
    SaveDictionaryItem(*dataset());
}

} // namespace dedizo
