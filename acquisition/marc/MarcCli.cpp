#include "acquisition/marc/MarcCli.h"

#include "acquisition/marc/MarcFile.h"
#include "acquisition/marc/MarcRecord.h"

#include <QFileInfo>

namespace dedizo {

namespace {

// The texts to work on: the arguments, or the lines of standard input when there are none.
QStringList inputTexts(const QStringList& args, cli::CliStreams& io)
{
    if (!args.isEmpty())
        return args;
    QStringList lines;
    QString line;
    while (io.in.readLineInto(&line))
        lines << line;
    return lines;
}

QString amountText(Currency amount)
{
    // Two decimals as prices are written, more only when the amount has them.
    QString s = amount.toString();
    const qsizetype dot = s.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return s + QStringLiteral(".00");
    if (s.size() - dot - 1 < 2)
        s += QLatin1Char('0');
    return s;
}

} // namespace

int isbnCommand(const QStringList& args, cli::CliStreams& io)
{
    if (!args.isEmpty() && (args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h"))) {
        io.err << "usage: dedizo-cli isbn [TEXT...]   (reads lines from stdin without arguments)\n";
        return 0;
    }
    for (const QString& text : inputTexts(args, io))
        io.out << normalizeStandardNumber(text) << '\n';
    return 0;
}

int priceCommand(const QStringList& args, cli::CliStreams& io)
{
    bool strict = false;
    QStringList texts;
    for (const QString& a : args) {
        if (a == QLatin1String("--strict"))
            strict = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            io.err
                << "usage: dedizo-cli price [--strict] [TEXT...]   (reads lines from stdin without texts)\n"
                   "prints: amount <TAB> currency <TAB> note\n";
            return 0;
        } else
            texts << a;
    }
    int rc = 0;
    for (const QString& text : inputTexts(texts, io)) {
        try {
            const PriceDetail p = MarcRecord::parsePriceDetail(text, !strict);
            io.out << amountText(p.price) << '\t' << p.currency << '\t' << p.notes << '\n';
        } catch (const MarcError& e) {
            io.out.flush();
            io.err << "price: " << e.message() << '\n';
            rc = 1;
        }
    }
    return rc;
}

int marcCommand(const QStringList& args, cli::CliStreams& io)
{
    const auto usage = [&io] {
        io.err << "usage: dedizo-cli marc [--strict] [--format cnmarc|marc21] [--encoding utf8|gbk] FILE\n"
                  "FILE holds ISO 2709 records or records in line form (one field per line, blank line "
                  "between records)\n";
    };
    bool strict = false;
    MarcFormat format = mfUnknown;
    MarcEncoding encoding = MarcEncoding::Auto;
    QString path;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--strict")) {
            strict = true;
        } else if (a == QLatin1String("--lenient")) {
            strict = false;
        } else if (a == QLatin1String("--format") && i + 1 < args.size()) {
            const QString f = args[++i].toLower();
            if (f == QLatin1String("cnmarc"))
                format = mfCNMarc;
            else if (f == QLatin1String("marc21"))
                format = mfMarc21;
            else {
                io.err << "marc: unknown format '" << args[i] << "'\n";
                usage();
                return 2;
            }
        } else if (a == QLatin1String("--encoding") && i + 1 < args.size()) {
            const QString e = args[++i].toLower();
            if (e == QLatin1String("utf8") || e == QLatin1String("utf-8"))
                encoding = MarcEncoding::Utf8;
            else if (e == QLatin1String("gbk") || e == QLatin1String("gb18030"))
                encoding = MarcEncoding::Gbk;
            else {
                io.err << "marc: unknown encoding '" << args[i] << "'\n";
                usage();
                return 2;
            }
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            usage();
            return 0;
        } else if (a.startsWith(QLatin1String("--")) || !path.isEmpty()) {
            io.err << "marc: unexpected argument '" << a << "'\n";
            usage();
            return 2;
        } else {
            path = a;
        }
    }
    if (path.isEmpty()) {
        usage();
        return 2;
    }

    MarcFileContents contents;
    QString error;
    if (QFileInfo(path).isDir()) {
        io.err << "marc: " << path << " is a folder, not a MARC file\n";
        return 2;
    }
    if (!readMarcFile(path, contents, error, format, encoding)) {
        io.err << "marc: " << error << '\n';
        return 2;
    }

    int rc = 0;
    for (const MarcReadIssue& issue : contents.issues) {
        io.err << "marc: record " << issue.record << " at byte " << issue.offset
               << " skipped: " << issue.reason << '\n';
        rc = 1;
    }
    nlohmann::ordered_json out = nlohmann::ordered_json::array();
    for (qsizetype i = 0; i < contents.records.size(); ++i) {
        try {
            out.push_back(resourceToJson(MarcRecord(contents.records[i], !strict).toResource()));
        } catch (const MarcError& e) {
            io.err << "marc: record " << (i + 1) << ": " << e.message() << '\n';
            rc = 1;
        }
    }
    if (contents.records.isEmpty() && contents.issues.isEmpty()) {
        io.err << "marc: no MARC records in " << path << '\n';
        rc = 1;
    }
    io.out << jsonText(out, 2) << '\n';
    return rc;
}

} // namespace dedizo
