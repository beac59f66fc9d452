#include "app/BackupReminder.h"

#include "core/ConfigManager.h"

#include <algorithm>

namespace dedizo {

bool backupReminderDue(ConfigManager& config)
{
    const QString section = QStringLiteral("Backup");
    if (!config.ReadBoolean(section, QStringLiteral("Reminder"), false))
        return false;
    const int every = std::clamp(config.ReadInteger(section, QStringLiteral("ReminderCount"), 3), 1, 99);
    const int runs = config.ReadInteger(section, QStringLiteral("RunningTimes"), 0) + 1;
    if (runs < every) {
        config.WriteInteger(section, QStringLiteral("RunningTimes"), runs);
        return false;
    }
    config.WriteInteger(section, QStringLiteral("RunningTimes"), 0);
    return true;
}

} // namespace dedizo
