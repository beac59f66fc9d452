#include "acquisition/marc/MarcFile.h"

#include <QFile>
#include <QStringDecoder>
#include <cerrno>
#include <iconv.h>

namespace dedizo {

namespace {

QString decodeText(const QByteArray& data, MarcEncoding encoding)
{
    if (encoding == MarcEncoding::Gbk)
        return decodeGbk(data);
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(data);
    if (utf8.hasError() && encoding == MarcEncoding::Auto)
        return decodeGbk(data);
    return text;
}

} // namespace

QString decodeGbk(const QByteArray& bytes)
{
    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == iconv_t(-1))
        return QString::fromUtf8(bytes);
    QByteArray out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = size_t(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* dst = buffer;
        size_t outLeft = sizeof buffer;
        const size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
        out.append(buffer, dst - buffer);
        if (rc != size_t(-1) || errno == E2BIG)
            continue;
        out.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return QString::fromUtf8(out);
}

MarcFormat detectMarcFormat(const Marc& record)
{
    bool hasCnTitle = false;
    for (const QString& line : record) {
        if (line.startsWith(QLatin1String("245")))
            return mfMarc21;
        if (line.startsWith(QLatin1String("200")))
            hasCnTitle = true;
    }
    return hasCnTitle ? mfCNMarc : mfUnknown;
}

MarcFileContents readMarcData(const QByteArray& data, MarcFormat format, MarcEncoding encoding)
{
    MarcFileContents contents;
    const auto finish = [format](Marc& record) {
        record.Format = format != mfUnknown ? format : detectMarcFormat(record);
    };
    if (looksLikeIso2709(data)) {
        Iso2709Reader reader(data, encoding);
        Marc record;
        while (reader.readNext(record)) {
            finish(record);
            contents.records.append(record);
        }
        contents.issues = reader.issues();
        return contents;
    }

    QString text = decodeText(data, encoding);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    Marc record;
    const auto flush = [&] {
        if (!record.isEmpty()) {
            finish(record);
            contents.records.append(record);
        }
        record = Marc();
    };
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.trimmed().isEmpty())
            flush();
        else
            record.append(line.toString());
    }
    flush();
    return contents;
}

bool readMarcFile(const QString& path, MarcFileContents& contents, QString& error, MarcFormat format,
                  MarcEncoding encoding)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    contents = readMarcData(data, format, encoding);
    return true;
}

} // namespace dedizo
