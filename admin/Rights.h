#pragma once

#include <QStringList>

namespace dedizo {

// What the logged-in user may do with one function (UserFun_tab.FunKey).
struct FunctionRights
{
    bool listed = false; // the rights query has a row for the key
    bool open = false;
    bool operate = false;
    bool print = false;
};

// The rights query's text: every function with all rights for the
// administrator, the user's own rights rows for anybody else.
QStringList AccQuerySql(const QString& userCode, int userId);
// Loads DM1().AccQuery for the logged-in user; it stays open until the next login.
void OpenAccTable();

// Rights of the logged-in user for a function key, from the rights query.
// The administrator (any letter case) has every right on every key.
FunctionRights RightsForKey(int key);
// The main window's enabling rules: a navigation item or ribbon button is
// enabled when MayOpenFunction; "录入" also needs MayOperateFunction(11).
bool MayOpenFunction(int key);
bool MayOperateFunction(int key);
bool MayPrintFunction(int key);

} // namespace dedizo
