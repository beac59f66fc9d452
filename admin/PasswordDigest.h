#pragma once

#include <QString>

namespace dedizo {

// The 20-character digest kept in Users_tab.UserPwd. The framing and the
// digit swap are fixed for good: every stored password depends on them.
QString PasswordDigest(const QString& password);
// Exact, case-sensitive comparison of the typed password's digest.
bool PasswordMatches(const QString& password, const QString& digest);
// New users, reset passwords and the built-in administrator start with it.
QString EmptyPasswordDigest();

} // namespace dedizo
