#include "catalogue/refdata/ui/BookCateForm.h"

#include "catalogue/refdata/ClassTree.h"
#include "catalogue/refdata/ui/NavigationTreeWidget.h"
#include "core/Dataset.h"
#include "core/Prompts.h"
#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"
#include "core/ui/ActionTags.h"
#include "core/ui/DataGrid.h"

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>

namespace dedizo {

BookCateForm::BookCateForm(QWidget* parent) : FatherForm(&DM1().BookCateQuery, parent)
{
    setWindowTitle(QStringLiteral("书刊类别设置"));
    resize(860, 560);

    TreeCate = new NavigationTreeWidget(this);
    grid()->view()->horizontalHeader()->setStretchLastSection(true);
    auto* outer = qobject_cast<QVBoxLayout*>(layout());
    const int at = outer->indexOf(grid());
    outer->removeWidget(grid());
    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(TreeCate);
    splitter->addWidget(grid());
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({300, 540});
    outer->insertWidget(at, splitter, 1);

    BookCateAdd = new QAction(QStringLiteral("新增(&A)"), this);
    BookCateMod = new QAction(QStringLiteral("修改(&M)"), this);
    BookCateDel = new QAction(QStringLiteral("删除(&D)"), this);
    for (QAction* a : {BookCateAdd, BookCateMod, BookCateDel}) {
        setActionTag(a, TagOperate);
        addToolAction(a);
    }
    setEditAction(BookCateMod);
    connect(BookCateAdd, &QAction::triggered, this, &BookCateForm::addClass);
    connect(BookCateMod, &QAction::triggered, this, &BookCateForm::modifyClass);
    connect(BookCateDel, &QAction::triggered, this, &BookCateForm::deleteClass);
    connect(TreeCate, &NavigationTreeWidget::nodeSelected, this, &BookCateForm::nodeSelected);

    GetDataSet()->setSql(SQLBuilder::SQL(QStringLiteral("SELECT * FROM BookCate_tab")));
    ApplyWhere(QStringLiteral("BookCateID = 0"));
    TreeCate->buildClassTree();
}

void BookCateForm::nodeSelected()
{
    const NavigationNode* node = TreeCate->currentNode();
    if (!node || !node->classId)
        return;
    ApplyWhere(QStringLiteral("BookCateID = %1").arg(*node->classId));
}

void BookCateForm::addClass()
{
    QTreeWidgetItem* parentItem = TreeCate->currentItem();
    const NavigationNode* parentNode = NavigationTreeWidget::nodeOf(parentItem);
    if (!parentNode || !parentNode->classId) {
        ShowInfo(QStringLiteral("在添加之前请先选择父类别。"));
        return;
    }
    Dataset* classes = GetDataSet();
    classes->append();
    classes->setValue(QStringLiteral("BookCateParentID"), *parentNode->classId);
    const int result = RecordEditForm::open(
        QStringLiteral("TBookCateEditForm"), QStringLiteral("书刊类别修改"),
        [classes](QWidget* p) { return new BookCateEditForm(classes, p); }, this);
    if (result == QDialog::Accepted && !classes->isEditing()) {
        QTreeWidgetItem* item = TreeCate->addClassChild(
            parentItem, classes->value(QStringLiteral("BookCateID")).toInt(),
            classes->text(QStringLiteral("BookCateCode")), classes->text(QStringLiteral("BookCateName")));
        if (item)
            parentItem->setExpanded(true);
    } else if (classes->isEditing()) {
        classes->cancel();
    }
}

void BookCateForm::modifyClass()
{
    Dataset* classes = GetDataSet();
    if (!classes->isOpen() || classes->isEmpty())
        return;
    classes->edit();
    const int result = RecordEditForm::open(
        QStringLiteral("TBookCateEditForm"), QStringLiteral("书刊类别修改"),
        [classes](QWidget* p) { return new BookCateEditForm(classes, p); }, this);
    if (result == QDialog::Accepted && !classes->isEditing()) {
        if (QTreeWidgetItem* item =
                TreeCate->findClassItem(classes->value(QStringLiteral("BookCateID")).toInt()))
            TreeCate->updateClassItem(item, classes->text(QStringLiteral("BookCateCode")),
                                      classes->text(QStringLiteral("BookCateName")));
    } else if (classes->isEditing()) {
        classes->cancel();
    }
}

void BookCateForm::deleteClass()
{
    Dataset* classes = GetDataSet();
    if (!classes->isOpen() || classes->isEmpty())
        return;
    const int id = classes->value(QStringLiteral("BookCateID")).toInt();
    if (ClassHasSubclasses(id)) {
        ShowInfo(QStringLiteral("该类别已有子类不能删除，如要删除此类别请先删除其所有子类别。"));
        return;
    }
    if (!Confirm(QStringLiteral("确定要删除选中的记录吗？ ")))
        return;
    QTreeWidgetItem* item = TreeCate->findClassItem(id);
    classes->remove();
    if (item)
        TreeCate->removeItem(item);
}

BookCateEditForm::BookCateEditForm(Dataset* classes, QWidget* parent)
    : RecordEditForm(classes, QStringLiteral("书刊类别修改"), parent)
{
    QLineEdit* code = addTextEdit(QStringLiteral("BookCateCode"), 20);
    connect(code, &QLineEdit::textEdited, code, [code](const QString& text) {
        const QString upper = text.toUpper();
        if (upper != text) {
            const int pos = code->cursorPosition();
            code->setText(upper);
            code->setCursorPosition(pos);
        }
    });
    addTextEdit(QStringLiteral("BookCateName"), 100);
}

void BookCateEditForm::postRecord()
{
    Dataset* classes = dataset();
    const QString code = classes->text(QStringLiteral("BookCateCode"));
    if (code != code.toUpper())
        classes->setValue(QStringLiteral("BookCateCode"), code.toUpper());
    classes->post();
}

} // namespace dedizo
