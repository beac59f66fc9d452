#pragma once

namespace dedizo {

class ConfigManager;

// The backup reminder counted at every closing of the program (Config.ini
// section Backup: Reminder, ReminderCount, RunningTimes). Returns true when
// the backup window is due now; the counter is stored either way.
bool backupReminderDue(ConfigManager& config);

} // namespace dedizo
