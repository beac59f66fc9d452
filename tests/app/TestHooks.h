#pragma once

#include "app/MainWindowHooks.h"
#include "core/UserInfo.h"

#include <QHash>
#include <QStringList>

namespace dedizo::test {

// Hooks that log in a chosen user with chosen rights and record what the
// main window asks of them.
class TestHooks : public MainWindowHooks
{
public:
    explicit TestHooks(const QString& userCode = QStringLiteral("Admin"), const QString& bookRoom = QString())
        : m_userCode(userCode), m_bookRoom(bookRoom)
    {
    }

    QHash<int, FunctionRight> rights;
    QStringList log;
    int lockCount = 0;
    int backupCount = 0;
    bool loginAnswer = true;

    bool login(QWidget*, bool) override
    {
        if (!loginAnswer)
            return false;
        UserInfo& u = currentUser();
        u.clear();
        u.UserCode = m_userCode;
        u.BookRoom = m_bookRoom;
        return true;
    }
    FunctionRight right(int key) const override { return rights.value(key); }
    void writeLog(const QString& windowName, const QString& operation, const QString&) override
    {
        log << windowName + QLatin1Char('/') + operation;
    }
    void lockScreen(QWidget*) override { ++lockCount; }
    void backup(QWidget*) override { ++backupCount; }

private:
    QString m_userCode;
    QString m_bookRoom;
};

} // namespace dedizo::test
