#include "core/UserInfo.h"

namespace dedizo {

UserInfo& currentUser()
{
    static UserInfo user;
    return user;
}

bool HasBookRoom()
{
    return currentUser().hasBookRoom();
}

bool isAdministrator(const QString& userCode)
{
    return userCode.compare(QLatin1String("Admin"), Qt::CaseInsensitive) == 0;
}

} // namespace dedizo
