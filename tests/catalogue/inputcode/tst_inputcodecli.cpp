#include "catalogue/inputcode/InputCodeCli.h"

#include <QtTest>

using namespace Qt::StringLiterals;

class TestInputCodeCli : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("errorText");
        QTest::newRow("arguments") << QStringList{u"物权法"_s, u"科学出版社"_s} << QString() << 0
                                   << u"WQF\nKXCBS\n"_s << false;
        QTest::newRow("stdin lines") << QStringList() << u"中国人民\n\n重庆\r\n银行"_s << 0
                                     << u"ZGRM\n\nZQ\nYH\n"_s << false;
        QTest::newRow("empty stdin") << QStringList() << QString() << 0 << QString() << false;
        QTest::newRow("after --") << QStringList{u"--"_s, u"--help"_s, u"李明"_s} << QString() << 0
                                  << u"--HELP\nLM\n"_s << false;
        QTest::newRow("single dash text") << QStringList{u"-a"_s} << QString() << 0 << u"-A\n"_s << false;
        QTest::newRow("unknown option") << QStringList{u"--upper"_s} << QString() << 2 << QString() << true;
    }
    void run()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, input);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(bool, errorText);
        QString out, err;
        QTextStream in(&input), outStream(&out), errStream(&err);
        dedizo::cli::CliStreams io{in, outStream, errStream};
        QCOMPARE(dedizo::inputCodeCommand(args, io), exitCode);
        outStream.flush();
        errStream.flush();
        QCOMPARE(out, output);
        QCOMPARE(!err.isEmpty(), errorText);
    }

    void help()
    {
        QString input, out, err;
        QTextStream in(&input), outStream(&out), errStream(&err);
        dedizo::cli::CliStreams io{in, outStream, errStream};
        QCOMPARE(dedizo::inputCodeCommand({u"--help"_s}, io), 0);
        outStream.flush();
        QVERIFY(out.startsWith(u"usage: dedizo-cli inputcode"_s));
    }
};

QTEST_GUILESS_MAIN(TestInputCodeCli)
#include "tst_inputcodecli.moc"
