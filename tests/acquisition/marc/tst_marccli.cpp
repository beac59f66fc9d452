#include "acquisition/marc/MarcCli.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <nlohmann/json.hpp>

using namespace dedizo;

namespace {

struct Run
{
    int rc = 0;
    QString out;
    QString err;
};

Run run(cli::CliCommandFn command, const QStringList& args, const QString& input = QString())
{
    QString in = input, out, err;
    QTextStream inStream(&in), outStream(&out), errStream(&err);
    cli::CliStreams io{inStream, outStream, errStream};
    Run r;
    r.rc = command(args, io);
    outStream.flush();
    errStream.flush();
    r.out = out;
    r.err = err;
    return r;
}

QString sample(const char* name)
{
    return QStringLiteral(DEDIZO_TEST_DATA_DIR "/marc/") + QString::fromLatin1(name);
}

nlohmann::ordered_json parsed(const QString& out)
{
    return nlohmann::ordered_json::parse(out.toStdString());
}

} // namespace

class TestMarcCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void isbn();
    void price();
    void marcFile();
    void marcOptions();
    void marcBadInput_data();
    void marcBadInput();
    void marcCorruptRecord();
    void marcStrict();

private:
    QTemporaryDir m_dir;
};

void TestMarcCli::isbn()
{
    Run r = run(isbnCommand, {"7-5004-1234-5 (精装)", "CN11-1234/G4", ""});
    QCOMPARE(r.rc, 0);
    QCOMPARE(r.out, QStringLiteral("9787500412342\n111234\n\n"));
    r = run(isbnCommand, {}, QStringLiteral("0378-5955\nISBN7-02-003456-X\n"));
    QCOMPARE(r.out, QStringLiteral("03785955\n9787020034567\n"));
}

void TestMarcCli::price()
{
    Run r = run(priceCommand, {QStringLiteral("全套定价CNY300.00"), "HK$120", "ZZZ12", "CNY0.0001"});
    QCOMPARE(r.rc, 0);
    QCOMPARE(r.out, QStringLiteral("300.00\tCNY\t全套定价\n120.00\tHKD\t\n12.00\t\t\n0.0001\tCNY\t\n"));

    r = run(priceCommand, {"--strict", "CNY1", "ZZZ12", "CNY2"});
    QCOMPARE(r.rc, 1);
    QCOMPARE(r.out, QStringLiteral("1.00\tCNY\t\n2.00\tCNY\t\n"));
    QCOMPARE(r.err, QStringLiteral("price: 未知币种：ZZZ >> ZZZ12 >> ZZZ12\n"));

    r = run(priceCommand, {"--strict"}, QStringLiteral("CNY.\n"));
    QCOMPARE(r.rc, 1);
    QVERIFY(r.err.contains(QStringLiteral("无效的金额")));
}

void TestMarcCli::marcFile()
{
    const Run r = run(marcCommand, {sample("samples-utf8.mrc")});
    QCOMPARE(r.rc, 0);
    QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
    const nlohmann::ordered_json j = parsed(r.out);
    QCOMPARE(j.size(), size_t(4));
    QCOMPARE(QString::fromStdString(j[0]["Title"]), QStringLiteral("图书馆管理概论: 理论与实践 第一卷"));
    QCOMPARE(j[0]["Price"].get<double>(), 38.0);
    QCOMPARE(QString::fromStdString(j[1]["ResourceType"]), QStringLiteral("期刊"));
    QCOMPARE(QString::fromStdString(j[3]["Responsibility"]), QStringLiteral("<无>"));
    // Members in the order of the resource record.
    QStringList keys;
    for (const auto& [key, value] : j[0].items())
        keys << QString::fromStdString(key);
    QCOMPARE(keys.first(), QStringLiteral("Title"));
    QCOMPARE(keys.indexOf(QStringLiteral("URL")), 4);
    QCOMPARE(keys.last(), QStringLiteral("Summary"));
}

void TestMarcCli::marcOptions()
{
    // Forcing MARC 21 leaves every record uninterpreted.
    Run r = run(marcCommand, {"--format", "marc21", sample("samples-gbk.mrc")});
    QCOMPARE(r.rc, 0);
    for (const auto& record : parsed(r.out))
        QCOMPARE(record["Title"].get<std::string>(), std::string());

    r = run(marcCommand, {"--encoding", "utf8", "--lenient", sample("samples-utf8.mrc")});
    QCOMPARE(r.rc, 0);
    QCOMPARE(parsed(r.out).size(), size_t(4));
}

void TestMarcCli::marcBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("rc");
    QTest::addColumn<QString>("message");
    QTest::newRow("no file") << QStringList{} << 2 << "usage:";
    QTest::newRow("missing file") << QStringList{"/nonexistent/x.mrc"} << 2
                                  << "cannot read /nonexistent/x.mrc";
    QTest::newRow("folder") << QStringList{QStringLiteral(DEDIZO_TEST_DATA_DIR)} << 2 << "is a folder";
    QTest::newRow("unknown option") << QStringList{"--fast", "x"} << 2 << "unexpected argument '--fast'";
    QTest::newRow("two files") << QStringList{"a", "b"} << 2 << "unexpected argument 'b'";
    QTest::newRow("bad format") << QStringList{"--format", "usmarc", "x"} << 2 << "unknown format 'usmarc'";
    QTest::newRow("bad encoding") << QStringList{"--encoding", "big5", "x"} << 2 << "unknown encoding 'big5'";
    QTest::newRow("format without value")
        << QStringList{"x", "--format"} << 2 << "unexpected argument '--format'";
}

void TestMarcCli::marcBadInput()
{
    QFETCH(QStringList, args);
    QFETCH(int, rc);
    QFETCH(QString, message);
    const Run r = run(marcCommand, args);
    QCOMPARE(r.rc, rc);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void TestMarcCli::marcCorruptRecord()
{
    QFile source(sample("samples-utf8.mrc"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QByteArray data = source.readAll();
    const qsizetype second = data.indexOf('\x1D') + 1;
    data[second + 13] = 'Z'; // base address of the second record
    const QString path = m_dir.filePath(QStringLiteral("corrupt.mrc"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(data);
    out.close();

    Run r = run(marcCommand, {path});
    QCOMPARE(r.rc, 1);
    QVERIFY2(r.err.startsWith(QStringLiteral("marc: record 2 at byte %1 skipped: ").arg(second)),
             qPrintable(r.err));
    QCOMPARE(parsed(r.out).size(), size_t(3));

    const QString empty = m_dir.filePath(QStringLiteral("empty.txt"));
    QFile e(empty);
    QVERIFY(e.open(QIODevice::WriteOnly));
    e.close();
    r = run(marcCommand, {empty});
    QCOMPARE(r.rc, 1);
    QVERIFY(r.err.contains(QStringLiteral("no MARC records")));
    QCOMPARE(r.out, QStringLiteral("[]\n"));
}

void TestMarcCli::marcStrict()
{
    const QString path = m_dir.filePath(QStringLiteral("lines.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(
        QStringLiteral("2001 |a好书|b怪书\n\n2001 |a第二本|b中文图书\n010  |a7-5004-1234-5|dCNY9\n\n001x\n")
            .toUtf8());
    f.close();

    Run r = run(marcCommand, {"--strict", path});
    QCOMPARE(r.rc, 1);
    QCOMPARE(r.err, QStringLiteral("marc: record 1: Parser: 未处理的资源类型：怪书\n"
                                   "marc: record 3: 未处理的MARC格式\n"));
    nlohmann::ordered_json j = parsed(r.out);
    QCOMPARE(j.size(), size_t(1));
    QCOMPARE(QString::fromStdString(j[0]["Title"]), QStringLiteral("第二本"));
    QCOMPARE(j[0]["Price"].get<int>(), 9);

    r = run(marcCommand, {path});
    QCOMPARE(r.rc, 1); // the third record has no known format in either mode
    QCOMPARE(parsed(r.out).size(), size_t(2));
}

QTEST_GUILESS_MAIN(TestMarcCli)
#include "tst_marccli.moc"
