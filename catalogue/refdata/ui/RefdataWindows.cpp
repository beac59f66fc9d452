#include "catalogue/refdata/ui/RefdataWindows.h"

#include "catalogue/refdata/ui/BookCateForm.h"
#include "catalogue/refdata/ui/DataDictForm.h"
#include "catalogue/refdata/ui/PublishersForm.h"
#include "core/ui/FunctionWindows.h"

namespace dedizo {

void registerRefdataWindows()
{
    FunctionWindows::add({12, QStringLiteral("TPublishersForm"), QStringLiteral("出版单位设置"),
                          [](QWidget* parent, const QString&) { return new PublishersForm(parent); }});
    FunctionWindows::add({13, QStringLiteral("TBookCateForm"), QStringLiteral("书刊类别设置"),
                          [](QWidget* parent, const QString&) { return new BookCateForm(parent); }});
    FunctionWindows::add({51, QStringLiteral("TDataDictForm"), QStringLiteral("数据字典维护"),
                          [](QWidget* parent, const QString&) { return new DataDictForm(parent); }});
}

} // namespace dedizo
