#pragma once

#include <QString>

namespace dedizo {

// Fixed identity of the program: its title and version text.
struct AppInfo
{
    static QString title() { return QStringLiteral("澄岭图书馆管理系统 2021"); }
    static QString version() { return QStringLiteral("5.21.1.513"); }
};

} // namespace dedizo
