#include "schema/InitDbCommand.h"

#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/Connection.h"
#include "core/DataModule.h"
#include "schema/SchemaInstaller.h"

#include <QFileInfo>

namespace dedizo {

bool ensureFileDatabase(const QString& appPath, QString* error)
{
    ConfigManager config(appPath + QStringLiteral("Config.ini"));
    const CurrentDBInfo info = config.ReadCurrentDBInfo(appPath);
    if (!info.currentDBIsAccess)
        return true;
    migrateOldFileDatabaseName(appPath);
    if (QFileInfo::exists(info.currentDBName))
        return true;
    return SchemaInstaller::createFileDatabase(info.currentDBName, error);
}

int initDbCommand(const QStringList& arguments, cli::CliStreams& io)
{
    QStringList args = arguments;
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        io.out << "usage: dedizo-cli init-db [--data-dir DIR]\n"
                  "Creates the library tables and shipped data in the database that Config.ini names.\n";
        return 0;
    }
    AppPaths::initialise(args);
    if (!args.isEmpty()) {
        io.err << "init-db: unexpected argument '" << args.first() << "'\n";
        return 2;
    }
    const QString appPath = AppPaths::appPath();
    ConfigManager config(appPath + QStringLiteral("Config.ini"));
    const CurrentDBInfo info = config.ReadCurrentDBInfo(appPath);
    QString error;
    if (info.currentDBIsAccess) {
        migrateOldFileDatabaseName(appPath);
        if (!QFileInfo::exists(info.currentDBName)) {
            if (!SchemaInstaller::createFileDatabase(info.currentDBName, &error)) {
                io.err << "init-db: " << error << '\n';
                return 1;
            }
            io.out << "created " << info.currentDBType << ' ' << info.currentDBName << '\n';
            return 0;
        }
    }
    Connection connection(ConnectParams::fromDBInfo(info), QStringLiteral("init-db"));
    if (!connection.open(&error)) {
        io.err << "init-db: cannot connect to " << info.currentDBName << ": " << error << '\n';
        return 1;
    }
    if (!SchemaInstaller::install(connection, &error)) {
        io.err << "init-db: " << error << '\n';
        return 1;
    }
    io.out << "created the library tables in " << info.currentDBType << ' ' << info.currentDBName << '\n';
    return 0;
}

} // namespace dedizo
