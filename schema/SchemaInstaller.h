#pragma once

#include <QString>

namespace dedizo {

class Connection;

// Creates the library database: schema and shipped data (functions for the
// rights, the parameter row, a starter data dictionary, the top classes of
// the classification, major publishers and one reader category). What an
// installer would do on a new workstation.
class SchemaInstaller
{
public:
    // Whether the database already holds the library's tables.
    static bool hasLibraryTables(Connection& connection);
    // Creates everything in one transaction; throws DatabaseError. Refuses
    // (returns false with a message) when the tables exist already.
    static bool install(Connection& connection, QString* error);
    // Creates a new file database at `path` (the file must not exist yet).
    static bool createFileDatabase(const QString& path, QString* error);
};

} // namespace dedizo
