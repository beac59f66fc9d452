#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FatherForm.h"

class QListWidget;

namespace dedizo {

// "数据字典维护" (function key 51): the eleven categories on the left, the
// items of the selected category on the right.
class DataDictForm : public FatherForm
{
    Q_OBJECT
public:
    explicit DataDictForm(QWidget* parent = nullptr);

    QListWidget* LstCategories = nullptr;
    QAction* ItemsAdd = nullptr;
    QAction* ItemsMod = nullptr;
    QAction* ItemsDel = nullptr;

    // The ItemCate of the selected category, -1 without one.
    int currentCategory() const;
    void selectCategory(int itemCate);

private:
    void openItems();
    void addItem();
    void modifyItem();
    void deleteItem();
    void runEditor();
};

// "项目修改": number and name of a dictionary item. Saving a changed name
// renames the value everywhere it is stored.
class ItemEditForm : public RecordEditForm
{
    Q_OBJECT
public:
    explicit ItemEditForm(Dataset* items, QWidget* parent = nullptr);

protected:
    void postRecord() override;
};

} // namespace dedizo
