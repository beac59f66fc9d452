#include "acquisition/marc/Marc.h"

#include <QTest>

using namespace dedizo;

class TestStandardNumber : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void emptyRecord();
    void isDigits_data();
    void isDigits();
    void recognise_data();
    void recognise();
    void isbnTo13_data();
    void isbnTo13();
    void issnTo8_data();
    void issnTo8();
    void normalize_data();
    void normalize();
    void cleanCellText_data();
    void cleanCellText();
};

void TestStandardNumber::emptyRecord()
{
    Marc m;
    QVERIFY(m.isEmpty());
    QCOMPARE(m.State, msNormal);
    QCOMPARE(m.Format, mfUnknown);
    m << QStringLiteral("2001 |a书名");
    m.State = msIncomplete;
    QCOMPARE(m.size(), 1);
    QVERIFY(!m.isEmpty());
    const Marc copy = m;
    QCOMPARE(copy.State, msIncomplete);
}

void TestStandardNumber::isDigits_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("expected");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("digits") << "0123456789" << true;
    QTest::newRow("one letter") << "12a4" << false;
    QTest::newRow("space") << "12 4" << false;
    QTest::newRow("full-width digits") << QStringLiteral("１２３") << false;
    QTest::newRow("arabic-indic digits") << QStringLiteral("\u0661\u0662") << false;
}

void TestStandardNumber::isDigits()
{
    QFETCH(QString, text);
    QFETCH(bool, expected);
    QCOMPARE(dedizo::isDigits(text), expected);
}

void TestStandardNumber::recognise_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isbn");
    QTest::addColumn<bool>("issn");
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("isbn-10") << "750041234X" << true << false;
    QTest::newRow("isbn-10 any 10th character") << "123456789Z" << true << false;
    QTest::newRow("isbn-10 letter inside") << "12345A789X" << false << false;
    QTest::newRow("isbn-13 978") << "9787115123456" << true << false;
    QTest::newRow("isbn-13 979") << "9791234567896" << true << false;
    QTest::newRow("isbn-13 letters after prefix") << "978ABCDEFGHIJ" << true << false;
    QTest::newRow("13 digits other prefix") << "9801234567890" << false << false;
    QTest::newRow("issn-8") << "0378595X" << false << true;
    QTest::newRow("8 chars, 7 digits") << "1234567Q" << false << true;
    QTest::newRow("issn-13") << "9771002345006" << false << true;
    QTest::newRow("977 with letter inside") << "97710023A5006" << false << false;
    QTest::newRow("977 letters after place 10") << "9771002345ABC" << false << true;
    QTest::newRow("9 digits") << "123456789" << false << false;
}

void TestStandardNumber::recognise()
{
    QFETCH(QString, text);
    QFETCH(bool, isbn);
    QFETCH(bool, issn);
    QCOMPARE(isISBN(text), isbn);
    QCOMPARE(isISSN(text), issn);
}

void TestStandardNumber::isbnTo13_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("isbn-10") << "7500412345"
                             << "9787500412342";
    QTest::newRow("old check X discarded") << "702003456X"
                                           << "9787020034567";
    QTest::newRow("any 10th character") << "123456789Z"
                                        << "9781234567897";
    QTest::newRow("check digit 0") << "1000000030"
                                   << "9781000000030";
    QTest::newRow("isbn-13 kept as is") << "9787115123450"
                                        << "9787115123450";
    QTest::newRow("not an isbn") << "ABC"
                                 << "ABC";
    QTest::newRow("empty") << ""
                           << "";
}

void TestStandardNumber::isbnTo13()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ISBNTo13(text), expected);
}

void TestStandardNumber::issnTo8_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("977 ean") << "9771002345006"
                             << "10023453";
    QTest::newRow("check 10 gives X") << "9770000006000"
                                      << "0000006X";
    QTest::newRow("check 11 gives 0") << "9770000000000"
                                      << "00000000";
    QTest::newRow("issn-8 unchanged") << "03785955"
                                      << "03785955";
    QTest::newRow("isbn unchanged") << "9787115123456"
                                    << "9787115123456";
}

void TestStandardNumber::issnTo8()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(ISSNTo8(text), expected);
}

void TestStandardNumber::normalize_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("expected");
    // Worked results of the normaliser.
    QTest::newRow("hyphens, isbn-10 converted") << "7-5004-1234-5"
                                                << "9787500412342";
    QTest::newRow("binding in parentheses") << QStringLiteral("7-5004-1234-5 (精装)") << "9787500412342";
    QTest::newRow("space after 13th character") << "7-5004-1234-5 : CNY25.00"
                                                << "9787500412342";
    QTest::newRow("space too early") << "ISBN 7-5004-1234-5 : CNY25.00"
                                     << "7500412345CNY2500";
    QTest::newRow("prefix removed, old check dropped") << "ISBN7-02-003456-X"
                                                       << "9787020034567";
    QTest::newRow("isbn-13 kept") << "978-7-115-12345-6"
                                  << "9787115123456";
    QTest::newRow("977 issn converted") << "9771002345006"
                                        << "10023453";
    QTest::newRow("issn-8 kept") << "0378-5955"
                                 << "03785955";
    QTest::newRow("CN number") << "CN11-1234/G4"
                               << "111234";
    // Edge cases.
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("only controls") << "\t\r\n "
                                   << "";
    QTest::newRow("leading controls") << "\t\x01 7-5004-1234-5"
                                      << "9787500412342";
    QTest::newRow("isbn trailing letter") << "123456789Z"
                                          << "9781234567897";
    QTest::newRow("lower case prefix") << "isbn7-02-003456-x"
                                       << "9787020034567";
    QTest::newRow("7 digits and a letter is issn") << "1234567q"
                                                   << "1234567Q";
    QTest::newRow("full-width digits removed") << QStringLiteral("７５００４１２３４５") << "";
    QTest::newRow("set character first cuts nothing") << "(7-5004-1234-5)"
                                                      << "9787500412342";
    QTest::newRow("full-width parenthesis") << QStringLiteral("7-5004-1234-5（平装）") << "9787500412342";
    QTest::newRow("full-width comma") << QStringLiteral("7-5004-1234-5，平装") << "9787500412342";
    QTest::newRow("full-width semicolon") << QStringLiteral("7-5004-1234-5；平装") << "9787500412342";
    QTest::newRow("backslash") << "CN11-1234\\G4"
                               << "111234";
    QTest::newRow("isrc after isbn cut") << "ISBN7-5004-1234-5ISRC CN-A01"
                                         << "9787500412342";
    QTest::newRow("isbn after isrc cut") << "ISRC123ISBN7-5004-1234-5"
                                         << "123";
    QTest::newRow("isrc late without isbn") << "CN-A01-99-0001ISRCX"
                                            << "A01990001";
    QTest::newRow("isrc early without isbn") << "ISRC CN-A01-99-0001"
                                             << "A01990001";
    QTest::newRow("chinese text removed") << QStringLiteral("统一书号7-5004") << "75004";
    QTest::newRow("full upper-casing") << QStringLiteral("\u00DF12") << "SS12";
}

void TestStandardNumber::normalize()
{
    QFETCH(QString, raw);
    QFETCH(QString, expected);
    QCOMPARE(normalizeStandardNumber(raw), expected);
}

void TestStandardNumber::cleanCellText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "abc"
                           << "abc";
    QTest::newRow("no-break space inside") << QStringLiteral("a\u00A0b") << "a b";
    QTest::newRow("ideographic space inside") << QStringLiteral("书\u3000名") << QStringLiteral("书 名");
    QTest::newRow("edges trimmed") << QStringLiteral("\u3000\t a \u00A0\r\n") << "a";
    QTest::newRow("only spaces") << QStringLiteral(" \u00A0\u3000 ") << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestStandardNumber::cleanCellText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(dedizo::cleanCellText(text), expected);
}

QTEST_APPLESS_MAIN(TestStandardNumber)
#include "tst_standardnumber.moc"
