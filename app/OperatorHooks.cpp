#include "app/OperatorHooks.h"

#include "admin/Login.h"
#include "admin/OperationLog.h"
#include "admin/Rights.h"
#include "admin/ui/LoginForm.h"
#include "admin/ui/PasswordForms.h"
#include "app/AppArt.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace dedizo {

bool OperatorHooks::login(QWidget* parent, bool firstShow)
{
    return Login(firstShow, parent);
}

void OperatorHooks::loadRights()
{
    OpenAccTable();
}

FunctionRight OperatorHooks::right(int key) const
{
    const FunctionRights r = RightsForKey(key);
    return {r.listed, r.open, r.operate, r.print};
}

void OperatorHooks::writeLog(const QString& windowName, const QString& operation, const QString& memo)
{
    WriteOperationLog(windowName, operation, memo);
}

void OperatorHooks::lockScreen(QWidget* parent)
{
    // The lock screen shows the main window's pictures.
    const QScreen* screen = QApplication::primaryScreen();
    const QSize size = screen ? screen->size() : QSize(1024, 768);
    const QString title = parent ? parent->window()->windowTitle() : QString();
    ShowLockScreen(AppArt::fromWorkingFolder(QStringLiteral("Main.bmp"), AppArt::mainBackground(size)),
                   AppArt::fromWorkingFolder(QStringLiteral("MainWord.png"), AppArt::mainWord(title)),
                   parent);
}

void OperatorHooks::changePassword(QWidget* parent)
{
    ShowModPwdForm(parent);
}

bool ScreenshotHooks::login(QWidget* parent, bool firstShow)
{
    LoginUserCodes();
    if (TryLogin(QStringLiteral("Admin"), QString()) == LoginResult::LoggedIn)
        return true;
    return MainWindowHooks::login(parent, firstShow);
}

} // namespace dedizo
