#pragma once

#include "app/MainWindowHooks.h"

namespace dedizo {

// The main window's hooks filled by the operators module: the login window
// with its automatic login, the rights query, the operation log, the lock
// screen and the password window.
class OperatorHooks : public MainWindowHooks
{
public:
    bool login(QWidget* parent, bool firstShow) override;
    void loadRights() override;
    FunctionRight right(int key) const override;
    void writeLog(const QString& windowName, const QString& operation, const QString& memo) override;
    void lockScreen(QWidget* parent) override;
    void changePassword(QWidget* parent) override;
};

// The screenshot mode's: the administrator logs in without the login window
// (created on a new database; with a password of its own the run goes on as
// "Admin" without a users row).
class ScreenshotHooks : public OperatorHooks
{
public:
    bool login(QWidget* parent, bool firstShow) override;
};

} // namespace dedizo
