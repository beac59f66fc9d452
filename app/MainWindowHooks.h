#pragma once

#include <QString>

class QWidget;

namespace dedizo {

// One user's rights on one function key (a row of the rights query).
struct FunctionRight
{
    bool found = false; // the rights query has a row for the key
    bool isOpen = false;
    bool isOperate = false;
    bool isPrint = false;
};

// What the main window leaves to the operators and log work: the login, the
// rights, the operation log, the lock screen, the password and backup
// windows. The defaults run the program as the administrator "Admin"
// without windows; the administration module installs its own through
// MainForm::setHooks.
class MainWindowHooks
{
public:
    virtual ~MainWindowHooks() = default;

    // Runs the login; `firstShow` allows the automatic login. Returns true
    // when somebody is logged in afterwards (currentUser()). From "重新登录",
    // a cancelled login keeps the previous user and returns false.
    virtual bool login(QWidget* parent, bool firstShow);
    // Loads the rights of the logged-in user (the rights query).
    virtual void loadRights() {}
    // The rights row for `key`; consulted only for users other than the administrator.
    virtual FunctionRight right(int key) const;
    // WriteOperationLog(window name, operation, memo).
    virtual void writeLog(const QString& windowName, const QString& operation,
                          const QString& memo = QString());
    // Shows the lock screen modally (the main window has checked that a user is logged in).
    virtual void lockScreen(QWidget* parent);
    // "修改密码".
    virtual void changePassword(QWidget* parent);
    // The backup window ("备份与恢复" and the backup reminder).
    virtual void backup(QWidget* parent);
    // The reader synchronisation window shown after the first login when configured.
    virtual void readerSync(QWidget* parent);
};

} // namespace dedizo
