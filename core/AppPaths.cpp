#include "core/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace dedizo {

namespace {
QString g_dataDir;

QString withSeparator(const QString& dir)
{
    QString d = QDir::cleanPath(QDir(dir).absolutePath());
    if (!d.endsWith(QLatin1Char('/')))
        d += QLatin1Char('/');
    return d;
}

QString defaultDataDir()
{
    const QString fromEnv = qEnvironmentVariable("DEDIZO_HOME");
    if (!fromEnv.isEmpty())
        return fromEnv;
    const QString exeDir =
        QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
    if (QFileInfo(exeDir).isWritable())
        return exeDir;
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}
} // namespace

void AppPaths::initialise(QStringList& args)
{
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--data-dir") && i + 1 < args.size()) {
            setDataDir(args[i + 1]);
            args.remove(i, 2);
            return;
        }
        if (args[i].startsWith(QLatin1String("--data-dir="))) {
            setDataDir(args[i].mid(11));
            args.removeAt(i);
            return;
        }
    }
    setDataDir(defaultDataDir());
}

void AppPaths::setDataDir(const QString& dir)
{
    QDir().mkpath(dir);
    g_dataDir = withSeparator(dir);
}

QString AppPaths::appPath()
{
    if (g_dataDir.isEmpty())
        g_dataDir = withSeparator(defaultDataDir());
    return g_dataDir;
}

} // namespace dedizo
