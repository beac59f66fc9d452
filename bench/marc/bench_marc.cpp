// Converts 100,000 ISO 2709 records to resources and times it next to yaz-marcdump
// converting the same file to its line form.
#include "acquisition/marc/Iso2709Reader.h"
#include "acquisition/marc/MarcFile.h"
#include "acquisition/marc/MarcRecord.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

using namespace dedizo;

namespace {

constexpr int kRecords = 100000;

QList<QByteArray> sampleRecords()
{
    QList<QByteArray> records;
    for (const char* name : {"samples-utf8.mrc", "samples-gbk.mrc"}) {
        QFile f(QStringLiteral(DEDIZO_TEST_DATA_DIR "/marc/") + QLatin1String(name));
        if (!f.open(QIODevice::ReadOnly))
            qFatal("cannot read sample %s", name);
        for (const QByteArray& r : f.readAll().split('\x1D')) {
            if (!r.isEmpty())
                records << r + '\x1D';
        }
    }
    return records;
}

double rate(qint64 count, qint64 ns)
{
    return ns > 0 ? count * 1e9 / double(ns) : 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QList<QByteArray> samples = sampleRecords();
    QByteArray file;
    for (int i = 0; i < kRecords; ++i)
        file += samples[i % samples.size()];
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.mrc"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(file) != file.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    std::printf("bench_marc: %d ISO 2709 records (%lld bytes, UTF-8 and GBK) from %lld samples\n", kRecords,
                static_cast<long long>(file.size()), static_cast<long long>(samples.size()));

    // Reading only: ISO 2709 to line form.
    QElapsedTimer timer;
    timer.start();
    qint64 lines = 0;
    {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        Iso2709Reader reader(f.readAll());
        Marc record;
        while (reader.readNext(record))
            lines += record.size();
    }
    const qint64 readNs = timer.nsecsElapsed();

    // Whole conversion: file to resources.
    timer.restart();
    qint64 resources = 0, priced = 0, fileNs = 0;
    {
        MarcFileContents contents;
        QString error;
        if (!readMarcFile(path, contents, error))
            qFatal("%s", qPrintable(error));
        fileNs = timer.nsecsElapsed();
        for (const Marc& m : std::as_const(contents.records)) {
            const Resource r = MarcRecord(m, true).toResource();
            ++resources;
            priced += r.price.isZero() ? 0 : 1;
        }
    }
    const qint64 convertNs = timer.nsecsElapsed();
    std::printf("dedizo read ISO 2709 -> lines:     %8.0f records/s (%.3f s, %lld lines)\n",
                rate(kRecords, readNs), readNs / 1e9, static_cast<long long>(lines));
    std::printf("dedizo ISO 2709 -> TResource:      %8.0f records/s (%.3f s, %lld resources, %lld priced)\n",
                rate(resources, convertNs), convertNs / 1e9, static_cast<long long>(resources),
                static_cast<long long>(priced));
    std::printf("  of which reading the file:       %8.0f records/s (%.3f s)\n", rate(kRecords, fileNs),
                fileNs / 1e9);

    const QString yaz = QStandardPaths::findExecutable(QStringLiteral("yaz-marcdump"));
    if (yaz.isEmpty()) {
        std::printf("yaz-marcdump not found; no outside figure\n");
        return 0;
    }
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    timer.restart();
    process.start(yaz, {QStringLiteral("-i"), QStringLiteral("marc"), QStringLiteral("-o"),
                        QStringLiteral("line"), path});
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit) {
        std::printf("yaz-marcdump failed: %s\n", qPrintable(process.errorString()));
        return 1;
    }
    const qint64 yazNs = timer.nsecsElapsed();
    std::printf("yaz-marcdump ISO 2709 -> line:     %8.0f records/s (%.3f s, process included)\n",
                rate(kRecords, yazNs), yazNs / 1e9);
    std::printf("ratio dedizo/yaz: read only %.2f, full conversion %.2f (above 1 means dedizo is faster)\n",
                double(yazNs) / double(readNs), double(yazNs) / double(convertNs));
    return 0;
}
