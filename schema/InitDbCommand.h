#pragma once

#include "app/cli/CliCommand.h"

namespace dedizo {

// dedizo-cli init-db [--data-dir DIR]: creates schema and shipped data in the
// database that Config.ini of the data folder names.
int initDbCommand(const QStringList& args, cli::CliStreams& io);

// Creates the configured file database when it does not exist yet (first
// start of the program). True when nothing had to be done or it was created.
bool ensureFileDatabase(const QString& appPath, QString* error);

} // namespace dedizo
