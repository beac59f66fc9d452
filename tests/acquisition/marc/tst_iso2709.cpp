#include "acquisition/marc/Iso2709Reader.h"
#include "acquisition/marc/MarcFile.h"
#include "acquisition/marc/MarcRecord.h"

#include <QFile>
#include <QTest>

using namespace dedizo;

namespace {

QByteArray fixture(const QString& name)
{
    QFile f(QStringLiteral(DEDIZO_TEST_DATA_DIR "/marc/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return f.readAll();
}

// The line form of a record written as yaz-marcdump prints it: the leader, then
// "tag data" for control fields and "tag indicators $a value $b value" for the others.
QString asYazLines(const Marc& record)
{
    QString out;
    for (const QString& line : record) {
        if (line.startsWith(QLatin1String("LDR "))) {
            out += line.mid(4) + QLatin1Char('\n');
            continue;
        }
        const QString tag = line.left(3);
        const QString rest = line.mid(3);
        if (tag.startsWith(QLatin1String("00"))) {
            out += tag + QLatin1Char(' ') + rest + QLatin1Char('\n');
            continue;
        }
        const qsizetype bar = rest.indexOf(QLatin1Char('|'));
        QStringList parts{tag, bar < 0 ? rest : rest.left(bar)};
        if (bar >= 0) {
            for (const QString& sub : rest.mid(bar + 1).split(QLatin1Char('|')))
                parts << QLatin1Char('$') + sub.left(1) + QLatin1Char(' ') + sub.mid(1);
        }
        out += parts.join(QLatin1Char(' ')) + QLatin1Char('\n');
    }
    return out + QLatin1Char('\n');
}

QList<Marc> readAll(const QByteArray& data, QList<MarcReadIssue>* issues = nullptr,
                    MarcEncoding encoding = MarcEncoding::Auto)
{
    Iso2709Reader reader(data, encoding);
    QList<Marc> records;
    Marc m;
    while (reader.readNext(m))
        records << m;
    if (issues)
        *issues = reader.issues();
    return records;
}

// Builds one ISO 2709 record from "tag" + data pairs; data fields carry their indicators and
// use '$' for the subfield delimiter.
QByteArray isoRecord(const QList<std::pair<QByteArray, QByteArray>>& fields)
{
    QByteArray directory, data;
    for (const auto& [tag, content] : fields) {
        QByteArray field = content;
        field.replace('$', '\x1F');
        field += '\x1E';
        directory += tag + QByteArray::number(field.size()).rightJustified(4, '0') +
                     QByteArray::number(data.size()).rightJustified(5, '0');
        data += field;
    }
    directory += '\x1E';
    const int base = 24 + directory.size();
    const int length = base + data.size() + 1;
    const QByteArray leader = QByteArray::number(length).rightJustified(5, '0') + "nam0 22" +
                              QByteArray::number(base).rightJustified(5, '0') + "   450 ";
    return leader + directory + data + '\x1D';
}

QList<qsizetype> recordStarts(const QByteArray& data)
{
    QList<qsizetype> starts{0};
    for (qsizetype i = 0; i < data.size() - 1; ++i) {
        if (data[i] == '\x1D')
            starts << i + 1;
    }
    return starts;
}

} // namespace

class TestIso2709 : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesWithYaz_data();
    void agreesWithYaz();
    void gbkAndUtf8Agree();
    void resourcesFromFile();
    void corruptRecordSkipped_data();
    void corruptRecordSkipped();
    void truncatedLastRecord();
    void delimiterInDataCannotStartSubfield();
    void gbkBytesThatAreNoCharacter();
    void paddingBetweenRecords();
    void lineForm_data();
    void lineForm();
    void formatDetection();
};

void TestIso2709::agreesWithYaz_data()
{
    QTest::addColumn<QString>("mrc");
    QTest::addColumn<QString>("yazText");
    // The .yaz.txt files are yaz-marcdump's own line output for the .mrc files it wrote.
    QTest::newRow("utf-8") << "samples-utf8.mrc"
                           << "samples-utf8.yaz.txt";
    QTest::newRow("gbk") << "samples-gbk.mrc"
                         << "samples-gbk.yaz.txt";
}

void TestIso2709::agreesWithYaz()
{
    QFETCH(QString, mrc);
    QFETCH(QString, yazText);
    QList<MarcReadIssue> issues;
    const QList<Marc> records = readAll(fixture(mrc), &issues);
    QVERIFY(issues.isEmpty());
    QCOMPARE(records.size(), 4);
    QString ours;
    for (const Marc& m : records)
        ours += asYazLines(m);
    QCOMPARE(ours, QString::fromUtf8(fixture(yazText)));
}

void TestIso2709::gbkAndUtf8Agree()
{
    const QList<Marc> utf8 = readAll(fixture(QStringLiteral("samples-utf8.mrc")));
    const QList<Marc> gbk = readAll(fixture(QStringLiteral("samples-gbk.mrc")));
    QCOMPARE(gbk.size(), utf8.size());
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        // Only the record length in the leader differs.
        QCOMPARE(gbk[i].mid(1), utf8[i].mid(1));
        QCOMPARE(gbk[i].first().mid(9), utf8[i].first().mid(9));
    }
    QCOMPARE(utf8[0].at(6),
             QStringLiteral("2001 |a图书馆管理概论|Atu shu guan guan li gai lun|b中文图书|e理论与实践|f张三, "
                            "李四著|h第一卷"));
}

void TestIso2709::resourcesFromFile()
{
    MarcFileContents contents;
    QString error;
    QVERIFY(readMarcFile(QStringLiteral(DEDIZO_TEST_DATA_DIR "/marc/samples-gbk.mrc"), contents, error));
    QCOMPARE(contents.records.size(), 4);
    QCOMPARE(contents.records[0].Format, mfCNMarc);
    QCOMPARE(contents.records[3].Format, mfMarc21);

    const Resource book = MarcRecord(contents.records[0], false).toResource();
    QCOMPARE(book.title, QStringLiteral("图书馆管理概论: 理论与实践 第一卷"));
    QCOMPARE(book.standardNumber, QStringLiteral("9787500412345"));
    QCOMPARE(book.price, Currency::fromText(u"38").value());
    QCOMPARE(book.subjects, QStringLiteral("图书馆管理 -- 概论 -- 研究"));
    QCOMPARE(book.physical, QStringLiteral("320页 26cm 图"));

    const Resource serial = MarcRecord(contents.records[1], false).toResource();
    QCOMPARE(serial.resourceType, QStringLiteral("期刊"));
    QCOMPARE(serial.standardNumber, QStringLiteral("03785955"));
    QCOMPARE(serial.price, Currency::fromText(u"144").value());

    const MarcRecord overseas(contents.records[2], false);
    QCOMPARE(overseas.resourceType, rtBookChineseOverseas);
    QCOMPARE(overseas.toResource().price, Currency::fromText(u"120").value());
    QCOMPARE(jsonText(overseas.subjects), QStringLiteral(R"(["章回小说","中国","清代","Novel"])"));

    const Resource marc21 = MarcRecord(contents.records[3], false).toResource();
    QVERIFY(marc21.title.isEmpty());
    QCOMPARE(marc21.responsibility, QStringLiteral("<无>"));
}

void TestIso2709::corruptRecordSkipped_data()
{
    QTest::addColumn<int>("at");         // offset inside the second record
    QTest::addColumn<QByteArray>("put"); // bytes written there
    QTest::addColumn<QString>("reason");
    QTest::newRow("base address not a number") << 12 << QByteArray("00A") << QStringLiteral("数据基地址无效");
    QTest::newRow("base address past the end")
        << 12 << QByteArray("99999") << QStringLiteral("数据基地址无效");
    QTest::newRow("base address inside the leader")
        << 12 << QByteArray("00010") << QStringLiteral("数据基地址无效");
    QTest::newRow("directory not terminated") << 12 << QByteArray("00084") << QStringLiteral("目录区");
    QTest::newRow("field length not a number") << 27 << QByteArray("x") << QStringLiteral("目录项无效");
    QTest::newRow("field past the end") << 27 << QByteArray("9999") << QStringLiteral("超出记录范围");
    QTest::newRow("field start past the end") << 31 << QByteArray("99999") << QStringLiteral("超出记录范围");
    QTest::newRow("control character in tag") << 24 << QByteArray("\x01") << QStringLiteral("字段标识符无效");
    QTest::newRow("entry map makes a ragged directory") << 20 << QByteArray("5") << QStringLiteral("整数倍");
}

void TestIso2709::corruptRecordSkipped()
{
    QFETCH(int, at);
    QFETCH(QByteArray, put);
    QFETCH(QString, reason);
    QByteArray data = fixture(QStringLiteral("samples-utf8.mrc"));
    const QList<qsizetype> starts = recordStarts(data);
    QCOMPARE(starts.size(), 4);
    data.replace(starts[1] + at, put.size(), put);

    QList<MarcReadIssue> issues;
    const QList<Marc> records = readAll(data, &issues);
    QCOMPARE(records.size(), 3);
    QVERIFY(records[0].contains(QStringLiteral("001CAL 012000123456")));
    QVERIFY(records[1].contains(QStringLiteral("001CAL 012000777777")));
    QCOMPARE(issues.size(), 1);
    QCOMPARE(issues[0].record, 2);
    QCOMPARE(issues[0].offset, starts[1]);
    QVERIFY2(issues[0].reason.contains(reason), qPrintable(issues[0].reason));
}

void TestIso2709::truncatedLastRecord()
{
    const QByteArray data = fixture(QStringLiteral("samples-utf8.mrc"));
    const QList<qsizetype> starts = recordStarts(data);
    for (qsizetype cut : {starts[3] + 5, starts[3] + 30, data.size() - 1}) {
        QList<MarcReadIssue> issues;
        const QList<Marc> records = readAll(data.left(cut), &issues);
        QCOMPARE(records.size(), 3);
        QCOMPARE(issues.size(), 1);
        QCOMPARE(issues[0].record, 4);
        QCOMPARE(issues[0].offset, starts[3]);
    }
    // A record shorter than a leader.
    QList<MarcReadIssue> issues;
    QVERIFY(readAll(QByteArray("00026nam\x1D"), &issues).isEmpty());
    QCOMPARE(issues.size(), 1);
    QVERIFY(issues[0].reason.contains(QStringLiteral("过短")));
}

void TestIso2709::delimiterInDataCannotStartSubfield()
{
    const QByteArray rec = isoRecord({{"001", "a|b"}, {"200", "1|$aA|B$b中文图书$$c"}, {"215", "  "}});
    const QList<Marc> records = readAll(rec);
    QCOMPARE(records.size(), 1);
    // Control fields stay as they are; in data fields '|' becomes '｜'; empty codes are dropped.
    QCOMPARE(records[0].mid(1),
             QStringList({QStringLiteral("001a|b"), QStringLiteral("2001｜|aA｜B|b中文图书|c"),
                          QStringLiteral("215  ")}));
    Marc m = records[0];
    m.Format = mfCNMarc;
    QCOMPARE(MarcRecord(m, false).titleProper, QStringLiteral("A｜B"));
}

void TestIso2709::gbkBytesThatAreNoCharacter()
{
    // "中" in GBK, a byte no GB18030 sequence starts with, and a lead byte cut off at the end.
    const QByteArray rec = isoRecord({{"200", QByteArray("1 $a\xD6\xD0") + '\xFF' + "x" + '\x81'}});
    const QList<Marc> gbk = readAll(rec, nullptr, MarcEncoding::Gbk);
    QCOMPARE(gbk.size(), 1);
    QCOMPARE(gbk[0].at(1), QStringLiteral("2001 |a中\uFFFDx\uFFFD"));
    // Not UTF-8, so automatic detection reads it as GBK too.
    QCOMPARE(readAll(rec).at(0).at(1), gbk[0].at(1));
    // Forced UTF-8 on the same bytes replaces, never fails.
    QVERIFY(readAll(rec, nullptr, MarcEncoding::Utf8).at(0).at(1).startsWith(QStringLiteral("2001 |a")));
}

void TestIso2709::paddingBetweenRecords()
{
    const QByteArray one = isoRecord({{"001", "1"}});
    const QByteArray two = isoRecord({{"001", "2"}});
    QList<MarcReadIssue> issues;
    const QList<Marc> records = readAll("\r\n" + one + "\r\n\n" + two + "\n", &issues);
    QVERIFY(issues.isEmpty());
    QCOMPARE(records.size(), 2);
    QCOMPARE(records[1].at(1), QStringLiteral("0012"));
}

void TestIso2709::lineForm_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("title");
    const QByteArray text = QStringLiteral("2001 |a书名一|b中文图书\n010  |a7-5004-1234-5\n\n\n"
                                           "2001 |a书名二|b期刊\n")
                                .toUtf8();
    QTest::newRow("utf-8") << text << 2 << QStringLiteral("书名一");
    QTest::newRow("crlf and bom") << QByteArray("\xEF\xBB\xBF") + QByteArray(text).replace("\n", "\r\n") << 2
                                  << QStringLiteral("书名一");
    QTest::newRow("gbk") << QByteArray("2001 |a\xCA\xE9\xC3\xFB|b\xC6\xDA\xBF\xAF\n") << 1
                         << QStringLiteral("书名");
    QTest::newRow("blank lines only") << QByteArray("\n \n\t\n") << 0 << QString();
}

void TestIso2709::lineForm()
{
    QFETCH(QByteArray, data);
    QFETCH(int, records);
    QFETCH(QString, title);
    const MarcFileContents contents = readMarcData(data);
    QCOMPARE(contents.records.size(), records);
    if (records > 0) {
        QCOMPARE(contents.records[0].Format, mfCNMarc);
        QCOMPARE(MarcRecord(contents.records[0], false).titleProper, title);
    }
}

void TestIso2709::formatDetection()
{
    QCOMPARE(detectMarcFormat(Marc{QStringLiteral("2001 |a书")}), mfCNMarc);
    QCOMPARE(detectMarcFormat(Marc{QStringLiteral("2001 |a书"), QStringLiteral("24510|aBook")}), mfMarc21);
    QCOMPARE(detectMarcFormat(Marc{QStringLiteral("001x")}), mfUnknown);
    // A format given by the caller wins over detection.
    QCOMPARE(readMarcData(QByteArray("001x\n"), mfCNMarc).records.at(0).Format, mfCNMarc);
}

QTEST_APPLESS_MAIN(TestIso2709)
#include "tst_iso2709.moc"
