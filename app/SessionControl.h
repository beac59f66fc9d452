#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace dedizo {

// Power-off and restart through the desktop's session manager
// (systemd-logind: `systemctl poweroff|reboot`, else its D-Bus interface
// through dbus-send).
class SessionControl
{
public:
    enum class Action
    {
        PowerOff,
        Reboot
    };

    // Runs a program and waits; returns its exit code (-1 when it could not
    // start) and fills `output` with what it wrote.
    using Runner = std::function<int(const QString& program, const QStringList& args, QString* output)>;

    // True when the request was accepted; otherwise `error` says why.
    static bool request(Action action, QString* error);
    // Tests replace the runner; an empty one restores the real one.
    static void setRunner(Runner runner);
};

} // namespace dedizo
