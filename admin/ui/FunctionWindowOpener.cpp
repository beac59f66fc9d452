#include "admin/ui/FunctionWindowOpener.h"

#include "admin/OperationLog.h"
#include "admin/Rights.h"
#include "admin/ui/ParForm.h"
#include "admin/ui/RightsTags.h"
#include "admin/ui/UserForm.h"
#include "admin/ui/UserLogForm.h"

#include <QAction>
#include <QDialog>
#include <QMetaObject>
#include <memory>

namespace dedizo {

namespace {

// The member a parameter asks for, by name.
QString parameterMember(const QString& parameter)
{
    if (parameter == QLatin1String("Add"))
        return QStringLiteral("BooksAdd");
    if (parameter == QLatin1String("Loan"))
        return QStringLiteral("SetBusinessTypeLoan");
    if (parameter == QLatin1String("Return"))
        return QStringLiteral("SetBusinessTypeReturn");
    if (parameter == QLatin1String("Reloan"))
        return QStringLiteral("SetBusinessTypeReloan");
    return {};
}

void applyParameter(QDialog* dialog, const QString& parameter)
{
    const QString member = parameterMember(parameter);
    if (member.isEmpty())
        return;
    if (QAction* action = dialog->findChild<QAction*>(member)) {
        if (action->isEnabled())
            action->trigger();
        return;
    }
    QMetaObject::invokeMethod(dialog, member.toLatin1().constData());
}

} // namespace

int OpenFunctionWindowWithRights(const FunctionWindow& window, const QString& parameter, QWidget* parent)
{
    if (!window.create)
        return QDialog::Rejected;
    if (window.key >= 0 && !MayOpenFunction(window.key))
        return QDialog::Rejected; // silently: the user may not open it
    std::unique_ptr<QDialog> dialog(window.create(parent, parameter));
    if (!dialog)
        return QDialog::Rejected;
    if (window.key >= 0) {
        const FunctionRights rights = RightsForKey(window.key);
        applyRightsToWindow(dialog.get(), rights.operate, rights.print);
    }
    applyParameter(dialog.get(), parameter);
    WriteOperationLog(dialog->windowTitle(), QStringLiteral("打开"));
    if (parent)
        parent->update();
    const int result = dialog->exec();
    WriteOperationLog(dialog->windowTitle(), QStringLiteral("关闭"));
    return result;
}

void installOperatorHooks()
{
    setOpenFunctionWindowHandler(OpenFunctionWindowWithRights);
    FunctionWindows::add({52, QStringLiteral("TUserForm"), QStringLiteral("用户授权设置"),
                          [](QWidget* parent, const QString&) -> QDialog* { return new UserForm(parent); }});
    FunctionWindows::add(
        {53, QStringLiteral("TUserLogForm"), QStringLiteral("操作日志管理"),
         [](QWidget* parent, const QString&) -> QDialog* { return new UserLogForm(parent); }});
    FunctionWindows::add({54, QStringLiteral("TParForm"), QStringLiteral("系统参数设置"),
                          [](QWidget* parent, const QString&) -> QDialog* { return new ParForm(parent); }});
}

} // namespace dedizo
