#pragma once

#include <QString>
#include <QStringList>

namespace dedizo {

// The program's data folder ("AppPath"): where Config.ini and the file
// database live. By default the executable's folder; `--data-dir DIR` on the
// command line or DEDIZO_HOME name another; when the executable's folder is
// not writable the per-user application data folder is used.
class AppPaths
{
public:
    // Decides the data folder from the command line and environment; call once
    // at start-up. Removes a consumed "--data-dir DIR" from args.
    static void initialise(QStringList& args);
    static void setDataDir(const QString& dir);

    // Folder with a trailing separator.
    static QString appPath();
    static QString configFile() { return appPath() + QStringLiteral("Config.ini"); }
};

} // namespace dedizo
