#pragma once

#include "app/cli/CliCommand.h"

namespace dedizo {

// dedizo-cli inputcode [text...]: prints the input code of each argument, or
// of each line of standard input when there is none.
int inputCodeCommand(const QStringList& args, cli::CliStreams& io);

} // namespace dedizo
