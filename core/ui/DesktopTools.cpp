#include "core/ui/DesktopTools.h"

#include "core/AppPaths.h"
#include "core/ConfigManager.h"
#include "core/Prompts.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <QUrlQuery>

namespace dedizo {

namespace {

bool startFirstFound(const QStringList& programs, const QString& what)
{
    for (const QString& p : programs) {
        const QString path = QStandardPaths::findExecutable(p);
        if (!path.isEmpty() && QProcess::startDetached(path, {}))
            return true;
    }
    ShowError(QStringLiteral("没有找到%1程序。").arg(what));
    return false;
}

bool isOEM()
{
    return QFileInfo::exists(AppPaths::configFile()) && ConfigManager(AppPaths::configFile()).isOEM();
}

} // namespace

void RunProgram(const QString& target, const QString& parameters)
{
    if (!parameters.isEmpty() && QFileInfo(target).isExecutable()) {
        QProcess::startDetached(target, QProcess::splitCommand(parameters));
        return;
    }
    const QUrl url = target.contains(QLatin1String("://")) ? QUrl(target) : QUrl::fromLocalFile(target);
    QDesktopServices::openUrl(url);
}

bool runCalculator()
{
    return startFirstFound({QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                            QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                            QStringLiteral("qalculate-gtk"), QStringLiteral("xcalc")},
                           QStringLiteral("计算器"));
}

bool runTextEditor()
{
    return startFirstFound({QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
                            QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"),
                            QStringLiteral("pluma"), QStringLiteral("xed"), QStringLiteral("leafpad")},
                           QStringLiteral("记事本"));
}

void ShowHelp(const QString& topic)
{
    if (isOEM()) {
        RunProgram(AppPaths::appPath() + QStringLiteral("LibHelp.doc"));
        return;
    }
    QUrl url(QStringLiteral("https://www.dedizo.com/vqlt-docs/"));
    if (!topic.isEmpty()) {
        QUrlQuery q;
        q.addQueryItem(QStringLiteral("topic"), topic);
        url.setQuery(q);
    }
    QDesktopServices::openUrl(url);
}

void openSupplierSite()
{
    QString site;
    if (isOEM())
        site = ConfigManager(AppPaths::configFile())
                   .ReadString(QStringLiteral("OEM"), QStringLiteral("OfficialWeb"), {});
    if (site.isEmpty())
        site = QStringLiteral("https://www.dedizo.com/");
    if (!site.contains(QLatin1String("://")))
        site.prepend(QStringLiteral("http://"));
    QDesktopServices::openUrl(QUrl(site));
}

} // namespace dedizo
