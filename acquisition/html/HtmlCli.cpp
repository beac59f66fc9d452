#include "acquisition/html/HtmlCli.h"
#include "acquisition/html/HtmlParser.h"

#include <QFile>
#include <QStringDecoder>

namespace dedizo {

int htmlCliCommand(const QStringList& args, cli::CliStreams& io)
{
    if (args.size() != 2) {
        io.err << "usage: dedizo-cli html FILE SELECTOR\n";
        return 2;
    }
    QFile file(args.at(0));
    if (!file.open(QIODevice::ReadOnly)) {
        io.err << "dedizo-cli html: cannot read " << args.at(0) << ": " << file.errorString() << '\n';
        return 1;
    }
    const QByteArray bytes = file.readAll();
    // The page's own byte order mark or meta charset decides; UTF-8 otherwise.
    QStringDecoder decoder = QStringDecoder::decoderForHtml(bytes);
    if (!decoder.isValid())
        decoder = QStringDecoder(QStringDecoder::Utf8);
    const QString page = decoder.decode(bytes);
    try {
        const HtmlElement doc = ParseHtml(page);
        for (const HtmlElement& e : doc.find(args.at(1)))
            io.out << e.text() << '\n';
    } catch (const HtmlError& e) {
        io.err << "dedizo-cli html: " << e.message() << '\n';
        return 1;
    }
    return 0;
}

} // namespace dedizo
