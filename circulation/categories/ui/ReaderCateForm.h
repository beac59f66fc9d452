#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FatherForm.h"

namespace dedizo {

// "读者类别设置" (function key 22): reader categories with their loan rules.
class ReaderCateForm : public FatherForm
{
    Q_OBJECT
public:
    explicit ReaderCateForm(QWidget* parent = nullptr);

    QAction* ReaderCateAdd = nullptr;
    QAction* ReaderCateMod = nullptr;
    QAction* ReaderCateDel = nullptr;

private:
    void addCategory();
    void modifyCategory();
    void deleteCategory();
    void runEditor();
};

// "读者类别修改": the name and the four loan rules.
class ReaderCateEditForm : public RecordEditForm
{
    Q_OBJECT
public:
    explicit ReaderCateEditForm(Dataset* categories, QWidget* parent = nullptr);
};

} // namespace dedizo
