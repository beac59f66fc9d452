#pragma once

#include "app/cli/CliCommand.h"

namespace dedizo {

// dedizo-cli isbn [TEXT...]: normalises each standard number (arguments, else stdin lines).
int isbnCommand(const QStringList& args, cli::CliStreams& io);
// dedizo-cli price [--strict] [TEXT...]: amount, currency and note of each price text.
int priceCommand(const QStringList& args, cli::CliStreams& io);
// dedizo-cli marc [--strict] [--format cnmarc|marc21] [--encoding utf8|gbk] FILE:
// each record of a line-form or ISO 2709 file as a resource in JSON.
int marcCommand(const QStringList& args, cli::CliStreams& io);

} // namespace dedizo
