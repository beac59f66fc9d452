#include "acquisition/marc/MarcRecord.h"

#include <QTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::ResourceType)

namespace {

Marc cnmarc(const QStringList& lines)
{
    Marc m;
    m.append(lines);
    m.Format = mfCNMarc;
    return m;
}

QString numbersOf(const QStringList& lines)
{
    return jsonText(MarcRecord(cnmarc(lines), true).standardNumbers);
}

// A full record as a catalogue hands it over.
const QStringList kBook = {
    QStringLiteral("LDR 00810nam0 2200229   450 "),
    QStringLiteral("001CAL 012000123456"),
    QStringLiteral("010  |a978-7-5004-1234-5|b精装|dCNY38.00"),
    QStringLiteral("100  |a20210513d2020    em y0chiy50      ea"),
    QStringLiteral("1010 |achi|ceng|achi"),
    QStringLiteral("2001 |a图书馆管理概论|Atu shu guan|b中文图书|e理论与实践|f张三, 李四著|h第一卷|i总论"),
    QStringLiteral("205  |a第2版"),
    QStringLiteral("210  |a北京|c图书馆出版社|d2020"),
    QStringLiteral("210  |a上海|c图书馆出版社|d2021"),
    QStringLiteral("215  |a320页|c图|d26cm|e光盘1片"),
    QStringLiteral("2252 |a图书馆学丛书|i理论卷"),
    QStringLiteral("330  |a本书介绍图书馆管理的基本理论与方法。"),
    QStringLiteral("5101 |aIntroduction to library management|etheory and practice"),
    QStringLiteral("517  |a另一题名"),
    QStringLiteral("6060 |a图书馆管理|x概论"),
    QStringLiteral("6060 |a图书馆管理|x研究"),
    QStringLiteral("690  |aG251|v5"),
    QStringLiteral("690  |aG250"),
    QStringLiteral("676  |a025.1"),
    QStringLiteral("701 0|a张三|4著"),
    QStringLiteral("701 0|a李四|4著"),
    QStringLiteral("702 0|9zhang"),
};

} // namespace

class TestMarcRecord : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void subfields_data();
    void subfields();
    void fullRecord();
    void basicAndText();
    void resource();
    void resourceOfOtherKinds_data();
    void resourceOfOtherKinds();
    void resourceTypes_data();
    void resourceTypes();
    void resourceTypeOnlyUntilSet();
    void standardNumbers_data();
    void standardNumbers();
    void strictErrors_data();
    void strictErrors();
    void lenientSkips();
    void formats();
    void duplicateSubjects();
    void titleRules();
};

void TestMarcRecord::subfields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("plain") << QStringLiteral("2001 |a书名|b中文图书") << "a"
                           << QStringList{QStringLiteral("书名")};
    QTest::newRow("repeated") << "225  |aone|itwo|athree"
                              << "a" << QStringList{"one", "three"};
    QTest::newRow("blanks trimmed") << "200  |a \t x y \r|b"
                                    << "a" << QStringList{"x y"};
    QTest::newRow("empty value skipped") << "200  |a|a  |ax"
                                         << "a" << QStringList{"x"};
    QTest::newRow("code is case-sensitive") << "200  |Atu|ashu"
                                            << "a" << QStringList{"shu"};
    QTest::newRow("code letter inside value") << "200  |aabc|bab"
                                              << "b" << QStringList{"ab"};
    QTest::newRow("digit code") << "701  |a张三|4著"
                                << "4" << QStringList{QStringLiteral("著")};
    QTest::newRow("no subfields") << "001CAL012"
                                  << "a" << QStringList{};
    QTest::newRow("delimiter at end") << "200  |a"
                                      << "a" << QStringList{};
    QTest::newRow("neighbours share no delimiter") << "200|ax|ay"
                                                   << "a" << QStringList{"x", "y"};
}

void TestMarcRecord::subfields()
{
    QFETCH(QString, line);
    QFETCH(QString, code);
    QFETCH(QStringList, values);
    QCOMPARE(marcSubfieldValues(line, code.at(0)), values);
}

void TestMarcRecord::fullRecord()
{
    const MarcRecord r(cnmarc(kBook), false);
    QCOMPARE(r.state, msNormal);
    QCOMPARE(r.resourceType, rtBookChinese);
    QCOMPARE(jsonText(r.standardNumbers),
             QStringLiteral(
                 R"([{"t":1,"x":"9787500412345","a":"978-7-5004-1234-5","b":"精装","d":38,"c":"CNY"}])"));
    QCOMPARE(r.titleProper, QStringLiteral("图书馆管理概论"));
    QCOMPARE(r.otherTitle, QStringLiteral("理论与实践")); // 200 $e came before 517
    QCOMPARE(r.partNumber, QStringLiteral("第一卷"));
    QCOMPARE(r.partName, QStringLiteral("总论"));
    QCOMPARE(r.edition, QStringLiteral("第2版"));
    QCOMPARE(r.titleProperParallel, QStringLiteral("Introduction to library management"));
    QCOMPARE(r.otherTitleParallel, QStringLiteral("theory and practice"));
    QCOMPARE(jsonText(r.language), QStringLiteral(R"({"a":["chi"],"c":["eng"]})"));
    QCOMPARE(jsonText(r.publication),
             QStringLiteral(R"({"c":["图书馆出版社"],"a":["北京","上海"],"d":["2020","2021"]})"));
    QCOMPARE(jsonText(r.physical),
             QStringLiteral(R"({"a":["320页"],"d":["26cm"],"e":["光盘1片"],"c":["图"]})"));
    QCOMPARE(jsonText(r.series), QStringLiteral(R"(["图书馆学丛书","理论卷"])"));
    QCOMPARE(jsonText(r.classNumber), QStringLiteral(R"({"z":["G251","G250"],"d":["025.1"]})"));
    QCOMPARE(jsonText(r.subjects), QStringLiteral(R"(["图书馆管理","概论","研究"])"));
    QCOMPARE(jsonText(r.responsibilities),
             QStringLiteral(R"([{"a":"张三","4":"著","t":701},{"a":"李四","4":"著","t":701}])"));
    QCOMPARE(r.summary, QStringLiteral("本书介绍图书馆管理的基本理论与方法。"));
}

void TestMarcRecord::basicAndText()
{
    const MarcRecord r(cnmarc(kBook), true);
    const QString basic = QStringLiteral(
        R"({"x":"Introduction to library management","y":"理论与实践","z":"theory and practice","i":"总论","h":"第一卷","e":"第2版"})");
    QCOMPARE(jsonText(r.getBasic()), basic);
    QCOMPARE(jsonText(MarcRecord(cnmarc({"2001 |a书名|b中文图书"}), false).getBasic()), QStringLiteral("{}"));

    const QString text = r.toString();
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.first(), QStringLiteral("State: msNormal"));
    QCOMPARE(lines.at(1), QStringLiteral("ResourceType: rtBookChinese"));
    QVERIFY(lines.contains(QStringLiteral("TitleProper: 图书馆管理概论")));
    QVERIFY(lines.contains(QStringLiteral(R"(Series: ["图书馆学丛书","理论卷"])")));
    QCOMPARE(lines.last(), QStringLiteral("Basic: ") + basic);
    QVERIFY(!text.contains(QLatin1Char('\n') + QStringLiteral("\n")));
}

void TestMarcRecord::resource()
{
    const Resource r = marcToResource(cnmarc(kBook));
    QCOMPARE(r.title, QStringLiteral("图书馆管理概论: 理论与实践 第一卷 总论"));
    QCOMPARE(r.responsibility, QStringLiteral("张三 著"));
    QCOMPARE(r.publisher, QStringLiteral("图书馆出版社"));
    QCOMPARE(r.publicationDate, QStringLiteral("2020"));
    QCOMPARE(r.publicationPlace, QStringLiteral("北京"));
    QCOMPARE(r.standardNumber, QStringLiteral("9787500412345"));
    QCOMPARE(r.resourceType, QStringLiteral("图书"));
    QCOMPARE(r.price.units(), 38 * Currency::kScale);
    QCOMPARE(r.edition, QStringLiteral("第2版"));
    QCOMPARE(r.series, QStringLiteral("图书馆学丛书"));
    QCOMPARE(r.physical, QStringLiteral("320页 26cm 图"));
    QCOMPARE(r.accompanying, QStringLiteral("光盘1片"));
    QCOMPARE(r.language, QStringLiteral("chi"));
    QCOMPARE(r.classNumber, QStringLiteral("G251"));
    QCOMPARE(r.subjects, QStringLiteral("图书馆管理 -- 概论 -- 研究"));
    QCOMPARE(r.summary, QStringLiteral("本书介绍图书馆管理的基本理论与方法。"));
    QVERIFY(r.url.isEmpty());
}

void TestMarcRecord::resourceOfOtherKinds_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("responsibility");
    QTest::addColumn<QString>("physical");
    QTest::newRow("serial") << QStringList{"011  |a0378-5955|dCNY12.00|dCNY144.50",
                                           QStringLiteral("2001 |a杂志|b期刊")}
                            << QStringLiteral("期刊") << "144.5" << QStringLiteral("<无>") << "  ";
    QTest::newRow("recording") << QStringList{"016  |aCN-A01-99-0001|dCNY30"} << QStringLiteral("光盘")
                               << "30" << QStringLiteral("<无>") << "  ";
    QTest::newRow("national number") << QStringList{"091  |aCN11-1234/G4|dCNY5"} << QStringLiteral("图书")
                                     << "5" << QStringLiteral("<无>") << "  ";
    QTest::newRow("no number, author without role")
        << QStringList{"7010 |a王五", "215  |d20cm"} << QStringLiteral("图书") << "0"
        << QStringLiteral("王五 ") << " 20cm ";
}

void TestMarcRecord::resourceOfOtherKinds()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, type);
    QFETCH(QString, price);
    QFETCH(QString, responsibility);
    QFETCH(QString, physical);
    const Resource r = marcToResource(cnmarc(lines));
    QCOMPARE(r.resourceType, type);
    QCOMPARE(r.price, Currency::fromText(price).value());
    QCOMPARE(r.responsibility, responsibility);
    QCOMPARE(r.physical, physical);
}

void TestMarcRecord::resourceTypes_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<ResourceType>("type");
    QTest::newRow("中文图书") << QStringLiteral("2001 |a书|b中文图书") << rtBookChinese;
    QTest::newRow("地方志") << QStringLiteral("2001 |a书|b地方志") << rtBookChinese;
    QTest::newRow("overseas with space")
        << QStringLiteral("2001 |a书|b海外 中文图书") << rtBookChineseOverseas;
    QTest::newRow("overseas with zeros")
        << QStringLiteral("2001 |a书|b海外00000000000000000000000中文图书") << rtBookChineseOverseas;
    QTest::newRow("民语文献") << QStringLiteral("2001 |b民语文献") << rtBookChineseMinority;
    QTest::newRow("中文古籍") << QStringLiteral("2001 |b中文古籍") << rtBookChineseAncient;
    QTest::newRow("西文图书") << QStringLiteral("2001 |b西文图书") << rtBookWestern;
    QTest::newRow("韩文图书") << QStringLiteral("2001 |b韩文图书") << rtBookKorean;
    QTest::newRow("中文连续出版物") << QStringLiteral("2001 |b中文连续出版物") << rtSerialChinese;
    QTest::newRow("日文连续出版物") << QStringLiteral("2001 |b日文连续出版物") << rtSerialJapanese;
    QTest::newRow("电子期刊") << QStringLiteral("2001 |b电子期刊") << rtSerialElectronic;
    QTest::newRow("中文报纸") << QStringLiteral("2001 |b中文报纸") << rtNewspaperChinese;
    QTest::newRow("CD, any case") << QStringLiteral("2001 |b电子资源.cd") << rtCD;
    QTest::newRow("多媒体资料") << QStringLiteral("2001 |b多媒体资料") << rtRecording;
    QTest::newRow("音乐录音") << QStringLiteral("2001 |b音乐录音") << rtMusic;
    QTest::newRow("电影胶片") << QStringLiteral("2001 |b电影胶片") << rtFilm;
    QTest::newRow("磁带") << QStringLiteral("2001 |b磁带") << rtTape;
    QTest::newRow("博士论文") << QStringLiteral("2001 |b博士论文") << rtThesis;
    QTest::newRow("缩微制品") << QStringLiteral("2001 |b缩微制品") << rtMicroform;
    QTest::newRow("last $b decides") << QStringLiteral("2001 |b中文图书|b期刊") << rtSerialChinese;
    QTest::newRow("类型不详") << QStringLiteral("2001 |b类型不详") << rtUnknown;
}

void TestMarcRecord::resourceTypes()
{
    QFETCH(QString, line);
    QFETCH(ResourceType, type);
    QCOMPARE(MarcRecord(cnmarc({line}), false).resourceType, type);
}

void TestMarcRecord::resourceTypeOnlyUntilSet()
{
    // The first 200 with a listed type wins; "类型不详" leaves room for a later one.
    QCOMPARE(MarcRecord(cnmarc({QStringLiteral("2001 |b期刊"), QStringLiteral("2001 |b中文图书")}), false)
                 .resourceType,
             rtSerialChinese);
    QCOMPARE(MarcRecord(cnmarc({QStringLiteral("2001 |b类型不详"), QStringLiteral("2001 |b中文图书")}), false)
                 .resourceType,
             rtBookChinese);
    // Once set, an unlisted type in a later 200 raises nothing even in strict mode.
    QCOMPARE(MarcRecord(cnmarc({QStringLiteral("2001 |b期刊"), QStringLiteral("2001 |b奇怪")}), false)
                 .resourceType,
             rtSerialChinese);
}

void TestMarcRecord::standardNumbers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("json");
    QTest::newRow("two numbers, only the second priced")
        << QStringList{"010  |a7-5004-1234-5", QStringLiteral("010  |a7-5004-1235-3|dCNY25.00(精装)")}
        << QStringLiteral(
               R"j([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","d":25,"c":"CNY","n":"(精装)"},)j"
               R"j({"t":1,"x":"9787500412359","a":"7-5004-1235-3","d":25,"c":"CNY","n":"(精装)"}])j");
    QTest::newRow("two numbers, only the first priced")
        << QStringList{"010  |a7-5004-1234-5|dCNY25.00", "010  |a7-5004-1235-3"}
        << QStringLiteral(R"([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","d":25,"c":"CNY"},)"
                          R"({"t":1,"x":"9787500412359","a":"7-5004-1235-3","d":25,"c":"CNY"}])");
    QTest::newRow("two numbers, each priced")
        << QStringList{"010  |a7-5004-1234-5|dCNY25.00", "010  |a7-5004-1235-3|dCNY30"}
        << QStringLiteral(R"([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","d":25,"c":"CNY"},)"
                          R"({"t":1,"x":"9787500412359","a":"7-5004-1235-3","d":30,"c":"CNY"}])");
    QTest::newRow("price line, then number line: merged")
        << QStringList{"010  |dCNY25.50", "010  |a7-5004-1234-5"}
        << QStringLiteral(R"([{"t":1,"d":25.5,"c":"CNY","x":"9787500412342","a":"7-5004-1234-5"}])");
    QTest::newRow("missing delimiter before dCNY")
        << QStringList{"010  |a7-5004-1234-5dCNY25.00"}
        << QStringLiteral(R"([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","d":25,"c":"CNY"}])");
    QTest::newRow("missing delimiter before dKRW")
        << QStringList{"010  |a89-7012-345-6dKRW15000"}
        << QStringLiteral(R"([{"t":1,"x":"9788970123455","a":"89-7012-345-6","d":15000,"c":"KRW"}])");
    QTest::newRow("missing delimiter before TWD")
        << QStringList{"010  |a957-08-1234-5TWD300"}
        << QStringLiteral(R"([{"t":1,"x":"9789570812343","a":"957-08-1234-5","d":300,"c":"TWD"}])");
    QTest::newRow("delimiter present, no repair")
        << QStringList{"010  |a7-5004-1234-5dCNY|dCNY8"}
        << QStringLiteral(R"([{"t":1,"x":"7500412345DCNY","a":"7-5004-1234-5dCNY","d":8,"c":"CNY"}])");
    QTest::newRow("coded data instead of number") << QStringList{"010  |a20210513d2020 em y0chiy50|dCNY10"}
                                                  << QStringLiteral(R"([{"t":1,"d":10,"c":"CNY"}])");
    QTest::newRow("known broken number")
        << QStringList{"010  |a10256.2700674nam2 2200|b平装"}
        << QStringLiteral(R"([{"t":1,"x":"1025627","a":"10256.27","b":"平装"}])");
    QTest::newRow("CN in $a, number in $b")
        << QStringList{"091  |acn|b11-1234/G4|dCNY5|dCNY6"}
        << QStringLiteral(R"([{"t":4,"x":"111234","a":"11-1234/G4","d":6,"c":"CNY"}])");
    QTest::newRow("serial takes the last price")
        << QStringList{"011  |a0378-5955|dCNY12.00|dCNY144.00"}
        << QStringLiteral(R"([{"t":2,"x":"03785955","a":"0378-5955","d":144,"c":"CNY"}])");
    QTest::newRow("isrc takes the first price")
        << QStringList{"016  |aCN-A01-99-0001|dCNY30|dCNY40"}
        << QStringLiteral(R"([{"t":3,"x":"A01990001","a":"CN-A01-99-0001","d":30,"c":"CNY"}])");
    QTest::newRow("019 is a national number")
        << QStringList{"019  |a1234-567"} << QStringLiteral(R"([{"t":4,"x":"1234567","a":"1234-567"}])");
    QTest::newRow("nothing but the type: dropped")
        << QStringList{"010  |zjunk", "010"} << QStringLiteral("[]");
    QTest::newRow("zero price not stored")
        << QStringList{"010  |a7-5004-1234-5|dCNY0.00"}
        << QStringLiteral(R"([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","c":"CNY"}])");
}

void TestMarcRecord::standardNumbers()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, json);
    QCOMPARE(numbersOf(lines), json);
}

void TestMarcRecord::strictErrors_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("error");
    QTest::newRow("014") << QStringList{"014  |a123"} << int(mfCNMarc)
                         << QStringLiteral("未处理的标准号类型：14");
    QTest::newRow("018") << QStringList{"018  |a123"} << int(mfCNMarc)
                         << QStringLiteral("未处理的标准号类型：18");
    QTest::newRow("073") << QStringList{"073  |a123"} << int(mfCNMarc)
                         << QStringLiteral("未处理的标准号类型：73");
    QTest::newRow("unlisted type") << QStringList{QStringLiteral("2001 |a书|b怪书")} << int(mfCNMarc)
                                   << QStringLiteral("Parser: 未处理的资源类型：怪书");
    QTest::newRow("200 without $b") << QStringList{QStringLiteral("2001 |a书")} << int(mfCNMarc)
                                    << QStringLiteral("Parser: 未处理的资源类型：");
    QTest::newRow("unknown currency in 010") << QStringList{"010  |a7-5004-1234-5|dXYZ5"} << int(mfCNMarc)
                                             << QStringLiteral("未知币种：XYZ >> XYZ5 >> XYZ5");
    QTest::newRow("unknown format") << QStringList{QStringLiteral("2001 |a书|b中文图书")} << int(mfUnknown)
                                    << QStringLiteral("未处理的MARC格式");
}

void TestMarcRecord::strictErrors()
{
    QFETCH(QStringList, lines);
    QFETCH(int, format);
    QFETCH(QString, error);
    Marc m;
    m.append(lines);
    m.Format = MarcFormat(format);
    try {
        MarcRecord r(m, false);
        QFAIL("no error raised");
    } catch (const MarcError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TestMarcRecord::lenientSkips()
{
    const MarcRecord r(
        cnmarc({"014  |a123", QStringLiteral("2001 |a书|b怪书"), "010  |a7-5004-1234-5|dXYZ5", "073  |a1"}),
        true);
    QCOMPARE(r.resourceType, rtUnknown);
    QCOMPARE(r.titleProper, QStringLiteral("书"));
    QCOMPARE(jsonText(r.standardNumbers),
             QStringLiteral(R"([{"t":1,"x":"9787500412342","a":"7-5004-1234-5","d":5}])"));

    // The format is checked in lenient mode too.
    Marc unknown;
    unknown << QStringLiteral("2001 |a书");
    QVERIFY_THROWS_EXCEPTION(MarcError, MarcRecord(unknown, true));
}

void TestMarcRecord::formats()
{
    // MARC 21 records are carried, not interpreted.
    Marc m21;
    m21 << QStringLiteral("245 10|aLibrary science") << QStringLiteral("2001 |a书|b中文图书")
        << "010  |a7-5004-1234-5";
    m21.Format = mfMarc21;
    m21.State = msIncomplete;
    const MarcRecord r(m21, false);
    QCOMPARE(r.state, msIncomplete);
    QCOMPARE(r.resourceType, rtUnknown);
    QVERIFY(r.titleProper.isEmpty());
    QVERIFY(r.standardNumbers.empty() && r.publication.empty() && r.subjects.empty());
    QCOMPARE(jsonText(r.getBasic()), QStringLiteral("{}"));

    // A record without lines needs no format.
    Marc empty;
    empty.State = msIncomplete;
    QCOMPARE(MarcRecord(empty, false).state, msIncomplete);

    // Lines that do not begin with a tag are carried but never read.
    const MarcRecord odd(cnmarc({"LDR 00810nam", "20", "2x0  |a书", "+20 |a书", ""}), false);
    QVERIFY(odd.titleProper.isEmpty());
}

void TestMarcRecord::duplicateSubjects()
{
    const MarcRecord r(
        cnmarc({"6060 |aHistory|xChina", "6060 |ahistory|xCHINA|yMing", QStringLiteral("6060 |a历史|x中国"),
                QStringLiteral("607  |a中国|x历史"), QStringLiteral("610  |a历史|x不取"),
                QStringLiteral("6010 |aÉcole"), QStringLiteral("6010 |aécole")}),
        true);
    // ASCII case is ignored, other letters are compared as they are.
    QCOMPARE(jsonText(r.subjects),
             QStringLiteral(R"(["History","China","Ming","历史","中国","École","école"])"));
}

void TestMarcRecord::titleRules()
{
    // 517 gives the other title only when 200 $e did not.
    QCOMPARE(
        MarcRecord(cnmarc({QStringLiteral("517  |a副题"), QStringLiteral("2001 |a书|b中文图书|e另题")}), true)
            .otherTitle,
        QStringLiteral("副题"));
    QCOMPARE(marcToResource(cnmarc({QStringLiteral("2001 |a 书名 |b中文图书")})).title,
             QStringLiteral("书名"));
    QCOMPARE(marcToResource(cnmarc({QStringLiteral("2001 |a书名|b中文图书|i分册名")})).title,
             QStringLiteral("书名  分册名"));
    QCOMPARE(marcToResource(cnmarc({QStringLiteral("2001 |a书名|b中文图书|h卷一")})).title,
             QStringLiteral("书名 卷一"));
    // A responsibility needs at least one of $a $b $c $f $4.
    const MarcRecord r(
        cnmarc({"701  |9x", QStringLiteral("711  |b部门"), QStringLiteral("712  |a机构|a第二")}), true);
    QCOMPARE(jsonText(r.responsibilities), QStringLiteral(R"([{"b":"部门","t":711},{"a":"机构","t":712}])"));
}

QTEST_APPLESS_MAIN(TestMarcRecord)
#include "tst_marcrecord.moc"
