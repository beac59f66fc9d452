#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FatherForm.h"

namespace dedizo {

class NavigationTreeWidget;

// "书刊类别设置" (function key 13): the classification tree on the left,
// loaded level by level; the grid shows the class of the selected node.
class BookCateForm : public FatherForm
{
    Q_OBJECT
public:
    explicit BookCateForm(QWidget* parent = nullptr);

    NavigationTreeWidget* TreeCate = nullptr;
    QAction* BookCateAdd = nullptr;
    QAction* BookCateMod = nullptr;
    QAction* BookCateDel = nullptr;

private:
    void nodeSelected();
    void addClass();
    void modifyClass();
    void deleteClass();
};

// "书刊类别修改": class code (upper case) and name.
class BookCateEditForm : public RecordEditForm
{
    Q_OBJECT
public:
    explicit BookCateEditForm(Dataset* classes, QWidget* parent = nullptr);

protected:
    void postRecord() override;
};

} // namespace dedizo
