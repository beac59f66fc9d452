#pragma once

#include "catalogue/refdata/ui/RecordEditForm.h"
#include "core/ui/FatherForm.h"

namespace dedizo {

// "借阅规章制度" (function key 23): the loan regulations.
class BylawForm : public FatherForm
{
    Q_OBJECT
public:
    explicit BylawForm(QWidget* parent = nullptr);

    QAction* BylawAdd = nullptr;
    QAction* BylawMod = nullptr;
    QAction* BylawDel = nullptr;

private:
    void addBylaw();
    void modifyBylaw();
    void deleteBylaw();
    void runEditor();
};

// "规章制度修改": sort code, title, the text (multi-line) and a remark.
class BylawEditForm : public RecordEditForm
{
    Q_OBJECT
public:
    explicit BylawEditForm(Dataset* bylaws, QWidget* parent = nullptr);
};

} // namespace dedizo
