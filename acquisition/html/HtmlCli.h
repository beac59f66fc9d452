#pragma once

#include "app/cli/CliCommand.h"

namespace dedizo {

// dedizo-cli html FILE SELECTOR: prints the text of every element of the page
// that the selector matches, one per line.
int htmlCliCommand(const QStringList& args, cli::CliStreams& io);

} // namespace dedizo
