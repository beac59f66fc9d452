#pragma once

#include <QStringList>
#include <QTextStream>

namespace dedizo::cli {

// Standard streams handed to a subcommand of dedizo-cli.
struct CliStreams
{
    QTextStream& in;
    QTextStream& out;
    QTextStream& err;
};

// A subcommand gets its own arguments (without the subcommand name) and
// returns the process exit code.
using CliCommandFn = int (*)(const QStringList& args, CliStreams& io);

} // namespace dedizo::cli
