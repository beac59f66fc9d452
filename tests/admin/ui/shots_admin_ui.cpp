// Grabs the login window, the users window and the rights editor to PNG files.
#include "admin/Login.h"
#include "admin/OperationLog.h"
#include "admin/PasswordDigest.h"
#include "admin/Rights.h"
#include "admin/ui/LoginForm.h"
#include "admin/ui/ParForm.h"
#include "admin/ui/PasswordForms.h"
#include "admin/ui/UserAccForm.h"
#include "admin/ui/UserForm.h"
#include "admin/ui/UserLogForm.h"
#include "core/ConfigManager.h"
#include "core/SharedDatasets.h"
#include "tests/support/TestDatabase.h"
#include "tests/support/WindowShot.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <cstdio>

using namespace dedizo;

static bool save(QWidget* w, const QString& path)
{
    return test::saveWindowShot(w, path);
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/shots-admin");
    QDir().mkpath(dir);
    test::TestDatabase db;
    ConfigManager config(db.tempPath() + QStringLiteral("/Config.ini"));
    ConfigManager::setInstance(&config);
    bool ok = true;

    Connection& c = db.connection();
    auto add = [&](const QString& code, const QString& name, const QString& room, const QString& dept) {
        c.execute(
            QStringLiteral("INSERT INTO Users_tab(UserCode, UserName, UserPwd, Title, Dept, IsLock, Memo) "
                           "VALUES (?, ?, ?, ?, ?, 0, ?)"),
            {code, name, EmptyPasswordDigest(), room, dept, QStringLiteral("")});
    };
    add(QStringLiteral("Admin"), QStringLiteral("管理员"), QString(), QString());
    add(QStringLiteral("li"), QStringLiteral("李明"), QStringLiteral("一室"), QStringLiteral("采编部"));
    add(QStringLiteral("wang"), QStringLiteral("王芳"), QString(), QStringLiteral("流通部"));

    LoginForm login;
    ok &= save(&login, dir + QStringLiteral("/login.png"));
    TryLogin(QStringLiteral("Admin"), QString());
    OpenAccTable();
    WriteOperationLog(QStringLiteral("进入系统"), QStringLiteral("打开"));

    {
        UserForm users;
        ok &= save(&users, dir + QStringLiteral("/users.png"));
        DM1().UserQuery.locate(QStringLiteral("UserCode"), QStringLiteral("li"));
        UserAccForm acc;
        ok &= save(&acc, dir + QStringLiteral("/rights.png"));
        acc.TreeGroups->setCurrentItem(acc.TreeGroups->topLevelItem(0)->child(4));
        ok &= save(&acc, dir + QStringLiteral("/rights-group5.png"));
    }
    {
        UserLogForm log;
        ok &= save(&log, dir + QStringLiteral("/log.png"));
    }
    {
        ParForm par;
        ok &= save(&par, dir + QStringLiteral("/parameters.png"));
    }
    {
        ModPwdForm mod;
        ok &= save(&mod, dir + QStringLiteral("/modpwd.png"));
        PwdInputForm pwd;
        ok &= save(&pwd, dir + QStringLiteral("/pwdinput.png"));
        LockScreenForm lock;
        lock.resize(800, 500);
        lock.setWindowState(Qt::WindowNoState);
        ok &= save(&lock, dir + QStringLiteral("/lock.png"));
        lock.setPasswordPrompt([](QWidget*) { return true; });
        lock.tryUnlock();
    }
    ConfigManager::setInstance(nullptr);
    return ok ? 0 : 1;
}
