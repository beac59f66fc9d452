#pragma once

#include <QString>

namespace dedizo {

// The logged-in operator. One record for the whole run; empty until the
// first login. Every operator column of the database receives `UserCode`.
struct UserInfo
{
    int UserID = 0;
    QString UserCode; // empty while nobody is logged in
    QString UserPwd;  // the stored digest
    QString UserName;
    QString BookRoom; // Users_tab.Title
    QString Dept;

    bool isLoggedIn() const { return !UserCode.isEmpty(); }
    // A user tied to a book room sees and creates only that room's data.
    bool hasBookRoom() const { return !BookRoom.trimmed().isEmpty(); }
    // Back to the state before any login.
    void clear() { *this = UserInfo(); }
};

// The process-wide record of the logged-in user.
UserInfo& currentUser();

// True when the logged-in user is bound to a book room.
bool HasBookRoom();

// The built-in administrator "Admin" (letter case does not matter).
bool isAdministrator(const QString& userCode);

} // namespace dedizo
