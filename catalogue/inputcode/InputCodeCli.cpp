#include "catalogue/inputcode/InputCodeCli.h"

#include "catalogue/inputcode/InputCode.h"

namespace dedizo {

namespace {

void printUsage(QTextStream& stream)
{
    stream << "usage: dedizo-cli inputcode [--] [text...]\n"
              "Prints the input code (upper-case pinyin initials) of each text,\n"
              "or of each line of standard input when no text is given.\n";
}

} // namespace

int inputCodeCommand(const QStringList& args, cli::CliStreams& io)
{
    QStringList texts;
    bool options = true;
    for (const QString& arg : args) {
        if (options && arg == QLatin1String("--")) {
            options = false;
        } else if (options && (arg == QLatin1String("-h") || arg == QLatin1String("--help"))) {
            printUsage(io.out);
            return 0;
        } else if (options && arg.startsWith(QLatin1String("--"))) {
            io.err << "dedizo-cli inputcode: unknown option '" << arg << "'\n";
            printUsage(io.err);
            return 2;
        } else {
            texts << arg;
        }
    }
    if (!texts.isEmpty()) {
        for (const QString& text : texts)
            io.out << InputCode(text) << '\n';
        return 0;
    }
    QString line;
    while (io.in.readLineInto(&line))
        io.out << InputCode(line) << '\n';
    return 0;
}

} // namespace dedizo
