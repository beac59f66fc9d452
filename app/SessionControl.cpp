#include "app/SessionControl.h"

#include <QProcess>
#include <QStandardPaths>

namespace dedizo {

namespace {

int runProcess(const QString& program, const QStringList& args, QString* output)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        *output = QStringLiteral("没有找到程序 %1。").arg(program);
        return -1;
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(path, args);
    if (!p.waitForStarted(5000)) {
        *output = p.errorString();
        return -1;
    }
    p.waitForFinished(30000);
    *output = QString::fromLocal8Bit(p.readAll()).trimmed();
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

SessionControl::Runner& runner()
{
    static SessionControl::Runner r = runProcess;
    return r;
}

} // namespace

void SessionControl::setRunner(Runner r)
{
    runner() = r ? std::move(r) : Runner(runProcess);
}

bool SessionControl::request(Action action, QString* error)
{
    const bool off = action == Action::PowerOff;
    QString output;
    if (runner()(QStringLiteral("systemctl"), {off ? QStringLiteral("poweroff") : QStringLiteral("reboot")},
                 &output) == 0)
        return true;
    QString busOutput;
    const QStringList busArgs{QStringLiteral("--system"),
                              QStringLiteral("--print-reply"),
                              QStringLiteral("--dest=org.freedesktop.login1"),
                              QStringLiteral("/org/freedesktop/login1"),
                              off ? QStringLiteral("org.freedesktop.login1.Manager.PowerOff")
                                  : QStringLiteral("org.freedesktop.login1.Manager.Reboot"),
                              QStringLiteral("boolean:true")};
    if (runner()(QStringLiteral("dbus-send"), busArgs, &busOutput) == 0)
        return true;
    *error = (off ? QStringLiteral("关闭计算机失败：") : QStringLiteral("重新启动计算机失败：")) +
             (output.isEmpty() ? busOutput : output);
    return false;
}

} // namespace dedizo
