#include "circulation/categories/ui/BylawForm.h"

#include "circulation/categories/ReaderCategories.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/SharedDatasets.h"
#include "core/ui/ActionTags.h"

#include <QAction>
#include <climits>

namespace dedizo {

BylawForm::BylawForm(QWidget* parent) : FatherForm(&DM1().BylawQuery, parent)
{
    setWindowTitle(QStringLiteral("借阅规章制度"));
    resize(860, 480);
    BylawAdd = new QAction(QStringLiteral("新增(&A)"), this);
    BylawMod = new QAction(QStringLiteral("修改(&M)"), this);
    BylawDel = new QAction(QStringLiteral("删除(&D)"), this);
    for (QAction* a : {BylawAdd, BylawMod, BylawDel}) {
        setActionTag(a, TagOperate);
        addToolAction(a);
    }
    setEditAction(BylawMod);
    connect(BylawAdd, &QAction::triggered, this, &BylawForm::addBylaw);
    connect(BylawMod, &QAction::triggered, this, &BylawForm::modifyBylaw);
    connect(BylawDel, &QAction::triggered, this, &BylawForm::deleteBylaw);

    Dataset* bylaws = GetDataSet();
    bylaws->close();
    bylaws->setSql(BylawListSql());
    bylaws->open();
}

void BylawForm::runEditor()
{
    Dataset* bylaws = GetDataSet();
    RecordEditForm::open(
        QStringLiteral("TBylawEditForm"), QStringLiteral("规章制度修改"),
        [bylaws](QWidget* p) { return new BylawEditForm(bylaws, p); }, this);
    if (bylaws->isEditing())
        bylaws->cancel();
}

void BylawForm::addBylaw()
{
    GetDataSet()->append();
    runEditor();
}

void BylawForm::modifyBylaw()
{
    Dataset* bylaws = GetDataSet();
    if (bylaws->isEmpty())
        return;
    bylaws->edit();
    runEditor();
}

void BylawForm::deleteBylaw()
{
    Dataset* bylaws = GetDataSet();
    if (bylaws->isEmpty())
        return;
    if (Confirm(QStringLiteral("确定要删除该借阅规章制度吗？")))
        bylaws->remove();
}

BylawEditForm::BylawEditForm(Dataset* bylaws, QWidget* parent)
    : RecordEditForm(bylaws, QStringLiteral("规章制度修改"), parent)
{
    addNumberEdit(QStringLiteral("SortCode"), INT_MIN, INT_MAX);
    addTextEdit(QStringLiteral("BylawTitle"), 50);
    addMemoEdit(QStringLiteral("BylawContent"));
    addTextEdit(QStringLiteral("Memo"), 50);
    addAddNewCheck();
    resize(560, 420);
}

} // namespace dedizo
