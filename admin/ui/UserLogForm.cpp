#include "admin/ui/UserLogForm.h"

#include "core/SQLBuilder.h"
#include "core/SharedDatasets.h"

#include <QAction>
#include <QToolBar>

namespace dedizo {

UserLogForm::UserLogForm(QWidget* parent) : FatherForm(&DM1().UserLogQuery, parent)
{
    setWindowTitle(QStringLiteral("操作日志管理"));
    setObjectName(QStringLiteral("UserLogForm"));
    // The tool bar of this list: 查询(&F), 自定义列, 打印(&P), 导出(&E), 关闭(&C).
    for (QAction* a : {ActionRefresh, ActionShowAll})
        TBarMain->removeAction(a);
    for (QAction* a : {ActionShowDBFilter, ActionCustomColumns, ActionPrint, ActionExport, SystemExit})
        TBarMain->removeAction(a);
    for (QAction* a : {ActionShowDBFilter, ActionCustomColumns, ActionPrint, ActionExport, SystemExit})
        TBarMain->addAction(a);

    Dataset& log = DM1().UserLogQuery;
    log.close();
    log.setReadOnly(true);
    log.sql() = SQLBuilder::SQL(QStringLiteral("SELECT * FROM UserLog_tab"), QStringLiteral("1=1"))
                    .split(QLatin1Char('\n'));
    ApplyWhere(QString());
}

UserLogForm::~UserLogForm()
{
    DM1().UserLogQuery.close();
}

} // namespace dedizo
