#pragma once

#include <QString>

namespace dedizo {

// The kinds of library database the program can work on.
enum class DbKind
{
    File,       // the file database: an SQLite file, one workstation
    PostgreSql, // the database server for several workstations
    SqlServer,  // Microsoft SQL Server through ODBC
};

// Config.ini's Database/DBType: 0 = file database, 2 = PostgreSQL, any other = SQL Server.
inline DbKind dbKindFromConfigValue(int dbType)
{
    if (dbType == 0)
        return DbKind::File;
    if (dbType == 2)
        return DbKind::PostgreSql;
    return DbKind::SqlServer;
}

} // namespace dedizo
