#include "app/MainWindowHooks.h"

#include "core/UserInfo.h"
#include "core/ui/FunctionWindows.h"

namespace dedizo {

namespace {

// Opens a registered window by class name, when the module that builds it is present.
void openByClass(const QString& className, QWidget* parent)
{
    if (const FunctionWindow* w = FunctionWindows::byClassName(className))
        OpenFunctionWindow(*w, QString(), parent);
}

} // namespace

bool MainWindowHooks::login(QWidget*, bool)
{
    UserInfo& user = currentUser();
    if (!user.isLoggedIn()) {
        user.UserCode = QStringLiteral("Admin");
        user.UserName = QStringLiteral("系统管理员");
    }
    return true;
}

FunctionRight MainWindowHooks::right(int) const
{
    return {true, true, true, true};
}

void MainWindowHooks::writeLog(const QString&, const QString&, const QString&)
{
}

void MainWindowHooks::lockScreen(QWidget* parent)
{
    openByClass(QStringLiteral("TLockScreenForm"), parent);
}

void MainWindowHooks::changePassword(QWidget* parent)
{
    openByClass(QStringLiteral("TChangePasswordForm"), parent);
}

void MainWindowHooks::backup(QWidget* parent)
{
    openByClass(QStringLiteral("TBackupForm"), parent);
}

void MainWindowHooks::readerSync(QWidget* parent)
{
    openByClass(QStringLiteral("TReaderSyncForm"), parent);
}

} // namespace dedizo
