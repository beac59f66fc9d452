// dedizo-cli: command-line tools around the library database and catalogue data.
#include "acquisition/html/HtmlCli.h"
#include "acquisition/marc/MarcCli.h"
#include "app/cli/CliCommand.h"
#include "catalogue/inputcode/InputCodeCli.h"
#include "core/AppInfo.h"
#include "schema/InitDbCommand.h"

#include <QCoreApplication>
#include <cstdio>

using namespace dedizo::cli;

namespace {

struct Subcommand
{
    const char* name;
    const char* summary;
    CliCommandFn run;
};

int versionCommand(const QStringList&, CliStreams& io)
{
    io.out << dedizo::AppInfo::title() << ' ' << dedizo::AppInfo::version() << '\n';
    return 0;
}

// Each subcommand lives in the library of the part it serves; add it here.
const Subcommand kSubcommands[] = {
    {"version", "print the program version", versionCommand},
    {"init-db", "create the library tables in the configured database", dedizo::initDbCommand},
    {"inputcode", "print the input code (pinyin initials) of texts", dedizo::inputCodeCommand},
    {"isbn", "normalise standard numbers (ISBN, ISSN, CN)", dedizo::isbnCommand},
    {"price", "split catalogue price texts into amount, currency and note", dedizo::priceCommand},
    {"marc", "print the records of a MARC file (ISO 2709 or line form) as JSON", dedizo::marcCommand},
    {"html", "print the text of the elements of an HTML page that a selector matches", dedizo::htmlCliCommand},
};

void printUsage(QTextStream& err)
{
    err << "usage: dedizo-cli <command> [arguments]\n\ncommands:\n";
    for (const auto& c : kSubcommands)
        err << "  " << QString::fromLatin1(c.name).leftJustified(12) << c.summary << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream in(stdin), out(stdout), err(stderr);
    CliStreams io{in, out, err};
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        printUsage(err);
        return args.isEmpty() ? 2 : 0;
    }
    const QString name = args.takeFirst();
    for (const auto& c : kSubcommands) {
        if (name == QLatin1String(c.name))
            return c.run(args, io);
    }
    err << "dedizo-cli: unknown command '" << name << "'\n";
    printUsage(err);
    return 2;
}
