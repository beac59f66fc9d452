#include "circulation/categories/ui/CategoryWindows.h"

#include "circulation/categories/ui/BylawForm.h"
#include "circulation/categories/ui/ReaderCateForm.h"
#include "core/ui/FunctionWindows.h"

namespace dedizo {

void registerCategoryWindows()
{
    FunctionWindows::add({22, QStringLiteral("TReaderCateForm"), QStringLiteral("读者类别设置"),
                          [](QWidget* parent, const QString&) { return new ReaderCateForm(parent); }});
    FunctionWindows::add({23, QStringLiteral("TBylawForm"), QStringLiteral("借阅规章制度"),
                          [](QWidget* parent, const QString&) { return new BylawForm(parent); }});
}

} // namespace dedizo
