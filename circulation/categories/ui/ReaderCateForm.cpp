#include "circulation/categories/ui/ReaderCateForm.h"

#include "circulation/categories/ReaderCategories.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/SharedDatasets.h"
#include "core/ui/ActionTags.h"

#include <QAction>

namespace dedizo {

ReaderCateForm::ReaderCateForm(QWidget* parent) : FatherForm(&DM1().ReaderCateQuery, parent)
{
    setWindowTitle(QStringLiteral("读者类别设置"));
    resize(820, 480);
    ReaderCateAdd = new QAction(QStringLiteral("新增(&A)"), this);
    ReaderCateMod = new QAction(QStringLiteral("修改(&M)"), this);
    ReaderCateDel = new QAction(QStringLiteral("删除(&D)"), this);
    for (QAction* a : {ReaderCateAdd, ReaderCateMod, ReaderCateDel}) {
        setActionTag(a, TagOperate);
        addToolAction(a);
    }
    setEditAction(ReaderCateMod);
    connect(ReaderCateAdd, &QAction::triggered, this, &ReaderCateForm::addCategory);
    connect(ReaderCateMod, &QAction::triggered, this, &ReaderCateForm::modifyCategory);
    connect(ReaderCateDel, &QAction::triggered, this, &ReaderCateForm::deleteCategory);

    Dataset* categories = GetDataSet();
    categories->close();
    categories->setSql(ReaderCateListSql());
    categories->open();
}

void ReaderCateForm::runEditor()
{
    Dataset* categories = GetDataSet();
    RecordEditForm::open(
        QStringLiteral("TReaderCateEditForm"), QStringLiteral("读者类别修改"),
        [categories](QWidget* p) { return new ReaderCateEditForm(categories, p); }, this);
    if (categories->isEditing())
        categories->cancel();
}

void ReaderCateForm::addCategory()
{
    GetDataSet()->append();
    runEditor();
}

void ReaderCateForm::modifyCategory()
{
    Dataset* categories = GetDataSet();
    if (categories->isEmpty())
        return;
    categories->edit();
    runEditor();
}

void ReaderCateForm::deleteCategory()
{
    Dataset* categories = GetDataSet();
    if (categories->isEmpty())
        return;
    if (ReaderCategoryInUse(categories->value(QStringLiteral("ReaderCateID")).toInt())) {
        ShowInfo(QStringLiteral("该读者类别正在使用中，不能删除。"));
        return;
    }
    if (Confirm(QStringLiteral("确定要删除该读者类别吗？")))
        categories->remove();
}

ReaderCateEditForm::ReaderCateEditForm(Dataset* categories, QWidget* parent)
    : RecordEditForm(categories, QStringLiteral("读者类别修改"), parent)
{
    addTextEdit(QStringLiteral("ReaderCateName"), 40);
    // Small integers; a negative limit or period means nothing at the desk.
    for (const char* field : {"LimitBooksCount", "LimitDays", "ReLoanTimes", "ReLoanDays"})
        addNumberEdit(QLatin1String(field), 0, 32767);
}

} // namespace dedizo
