#include "acquisition/marc/MarcRecord.h"
#include "acquisition/marc/PriceTables.h"

#include <QTest>

using namespace dedizo;

Q_DECLARE_METATYPE(dedizo::Currency)

namespace {

Currency amount(const char* text)
{
    return Currency::fromText(QString::fromLatin1(text)).value();
}

} // namespace

class TestPrice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void parse_data();
    void parse();
    void strictErrors_data();
    void strictErrors();
    void everyAliasNamesItsCurrency_data();
    void everyAliasNamesItsCurrency();
    void tableSizes();
    void currencyText_data();
    void currencyText();
};

void TestPrice::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Currency>("price");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("notes");

    // The reference table of price texts.
    QTest::newRow("CNY25.00") << "CNY25.00" << amount("25") << "CNY"
                              << "";
    QTest::newRow("25.00元") << QStringLiteral("25.00元") << amount("25") << ""
                             << "";
    QTest::newRow("定价：CNY38.00元") << QStringLiteral("定价：CNY38.00元") << amount("38") << "CNY"
                                      << "";
    QTest::newRow("HK$120") << "HK$120" << amount("120") << "HKD"
                            << "";
    QTest::newRow("全套定价CNY300.00")
        << QStringLiteral("全套定价CNY300.00") << amount("300") << "CNY" << QStringLiteral("全套定价");
    QTest::newRow("(全二册)25.00元") << QStringLiteral("(全二册)25.00元") << amount("25") << ""
                                     << QStringLiteral("(全二册)");
    QTest::newRow("second dot cuts") << "CNY12.50.3" << amount("12.5") << "CNY"
                                     << "";
    QTest::newRow("thousands comma") << "CNY1,200.00" << amount("1200") << "CNY"
                                     << "";
    QTest::newRow("no digit") << QStringLiteral("非卖品") << Currency() << "" << QStringLiteral("非卖品");
    QTest::newRow("unknown currency, lenient") << "ZZZ12" << amount("12") << ""
                                               << "";

    // Character replacements and corrections.
    QTest::newRow("full-width CNY and digits") << QStringLiteral("ＣＮＹ２５.５０") << amount("25.5") << "CNY"
                                               << "";
    QTest::newRow("full-width parentheses moved")
        << QStringLiteral("（上下册）CNY30") << amount("30") << "CNY" << QStringLiteral("(上下册)");
    QTest::newRow("square brackets become spaces") << "[CNY18.00]" << amount("18") << "CNY"
                                                   << "";
    QTest::newRow("printing date not an amount")
        << QStringLiteral("(第二次印刷1986.5)CNY1.20") << amount("1.2") << "CNY"
        << QStringLiteral("(第二次印刷一九八六年五月)");
    QTest::newRow("amount in words") << QStringLiteral("二元四角") << amount("2.4") << ""
                                     << "";
    QTest::newRow("HKD in words") << QStringLiteral("四角(H.K.D)") << amount("0.4") << "HKD"
                                  << "";
    QTest::newRow("taiwan dollars misprint") << QStringLiteral("台币六.七元正") << amount("6.7") << "TWD"
                                             << "";
    QTest::newRow("taiwan numerals") << QStringLiteral("新台币五元") << amount("5") << "TWD"
                                     << "";
    QTest::newRow("numerals only after 台币 prefix")
        << QStringLiteral("CNY五元") << Currency() << "" << QStringLiteral("CNY五元");
    QTest::newRow("yen statement") << QStringLiteral("日元定价二三00") << amount("2300") << "JPY"
                                   << "";
    QTest::newRow("每套 qualifier") << QStringLiteral("每套350元美金") << amount("350") << "USD"
                                    << QStringLiteral("每套");
    QTest::newRow("letter O for zero") << "CNYO.50" << amount("0.5") << "CNY"
                                       << "";
    QTest::newRow("yuan sign and o, any case") << QStringLiteral("￥O.80") << amount("0.8") << "CNY"
                                               << "";
    QTest::newRow("o.65") << "o.65" << amount("0.65") << ""
                          << "";
    QTest::newRow("misprinted C1NY") << "C1NY9.80" << amount("9.8") << "CNY"
                                     << "";
    QTest::newRow("catalogue number removed") << "CN-A23-331-00/A.G4CNY5" << amount("5") << "CNY"
                                              << "";

    // Qualifiers, strip list and notes.
    QTest::newRow("qualifier and note") << QStringLiteral("全套定价CNY300.00(上下册)") << amount("300")
                                        << "CNY" << QStringLiteral("全套定价 (上下册)");
    QTest::newRow("listed qualifier before its parts")
        << QStringLiteral("全年定价：CNY144.00") << amount("144") << "CNY" << QStringLiteral("全年定价");
    QTest::newRow("note trimmed") << QStringLiteral("CNY25.00 ；精装*") << amount("25") << "CNY"
                                  << QStringLiteral("精装");
    QTest::newRow("leaked subfield dropped") << "CNY20.00$c28cm" << amount("20") << "CNY"
                                             << "";
    QTest::newRow("leaked subfield, unit kept")
        << QStringLiteral("精装CNY20.00$b") << amount("20") << "CNY" << QStringLiteral("精装");
    QTest::newRow("lower-case code") << "cny25" << amount("25") << "CNY"
                                     << "";
    QTest::newRow("dollar sign alone is yuan") << "$12" << amount("12") << "CNY"
                                               << "";
    QTest::newRow("US dollars") << "US$15.95" << amount("15.95") << "USD"
                                << "";
    QTest::newRow("kept code") << "eur12" << amount("12") << "EUR"
                               << "";
    QTest::newRow("no currency") << "DM12" << amount("12") << ""
                                 << "";
    QTest::newRow("rounded to four decimals") << "CNY1.23456" << amount("1.2346") << "CNY"
                                              << "";
    QTest::newRow("empty") << "" << Currency() << ""
                           << "";
    // An unreadable amount is no price in lenient mode instead of ending the conversion.
    QTest::newRow("lone dot, lenient") << "CNY." << Currency() << "CNY"
                                       << "";
    QTest::newRow("amount out of range, lenient") << "CNY99999999999999999999" << Currency() << "CNY"
                                                  << "";
}

void TestPrice::parse()
{
    QFETCH(QString, text);
    QFETCH(Currency, price);
    QFETCH(QString, currency);
    QFETCH(QString, notes);
    const PriceDetail p = MarcRecord::parsePriceDetail(text, true);
    QCOMPARE(p.price.units(), price.units());
    QCOMPARE(p.currency, currency);
    QCOMPARE(p.notes, notes);
}

void TestPrice::strictErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown currency") << "ZZZ12" << QStringLiteral("未知币种：ZZZ >> ZZZ12 >> ZZZ12");
    QTest::newRow("cleaned text shown")
        << QStringLiteral("（全二册）XYZ25.00")
        << QStringLiteral("未知币种：XYZ >> XYZ25.00(全二册) >> （全二册）XYZ25.00");
    QTest::newRow("stripped currency shown")
        << QStringLiteral("约 QQ：5") << QStringLiteral("未知币种：QQ >> 约 QQ：5 >> 约 QQ：5");
    QTest::newRow("unreadable amount") << "CNY." << QStringLiteral("无效的金额：. >> CNY.");
}

void TestPrice::strictErrors()
{
    QFETCH(QString, text);
    QFETCH(QString, error);
    try {
        MarcRecord::parsePriceDetail(text, false);
        QFAIL("no error raised");
    } catch (const MarcError& e) {
        QCOMPARE(e.message(), error);
    }
}

void TestPrice::everyAliasNamesItsCurrency_data()
{
    QTest::addColumn<QString>("alias");
    QTest::addColumn<QString>("currency");
    using namespace price_tables;
    const auto add = [](const auto& list, const char* code) {
        for (const char16_t* alias : list) {
            const QString a = QString::fromUtf16(alias);
            QTest::addRow("%s %s", code, qPrintable(a)) << a << QString::fromLatin1(code);
        }
    };
    add(kDollarAliases, "CNY");
    add(kCnyAliases, "CNY");
    add(kHkdAliases, "HKD");
    add(kUsdAliases, "USD");
    add(kTwdAliases, "TWD");
    add(kMopAliases, "MOP");
    add(kJpyAliases, "JPY");
    add(kNoCurrencyAliases, "");
    add(kGbpAliases, "GBP");
    add(kMyrAliases, "MYR");
    add(kKrwAliases, "KRW");
    add(kSgdAliases, "SGD");
    add(kAedAliases, "AED");
    add(kPhpAliases, "PHP");
    add(kThbAliases, "THB");
    add(kAudAliases, "AUD");
    for (const char16_t* code : kKeptCodes) {
        const QString c = QString::fromUtf16(code);
        QTest::addRow("kept %s", qPrintable(c)) << c << c;
    }
}

void TestPrice::everyAliasNamesItsCurrency()
{
    QFETCH(QString, alias);
    QFETCH(QString, currency);
    // Strict mode: an alias that fell out of its table would raise.
    const PriceDetail p = MarcRecord::parsePriceDetail(alias + QStringLiteral("7"), false);
    QCOMPARE(p.currency, currency);
    QCOMPARE(p.price.units(), 7 * Currency::kScale);
    // Lower case reads the same.
    QCOMPARE(MarcRecord::parsePriceDetail(alias.toLower() + QStringLiteral("7"), false).currency, currency);
}

void TestPrice::tableSizes()
{
    using namespace price_tables;
    QCOMPARE(std::size(kCnyAliases), size_t(145));
    QCOMPARE(std::size(kHkdAliases), size_t(27));
    QCOMPARE(std::size(kTwdAliases), size_t(55));
    QCOMPARE(std::size(kQualifiers), size_t(106));
    QCOMPARE(std::size(kStripChars), size_t(42));
}

void TestPrice::currencyText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("units");
    QTest::addColumn<QString>("shortest");
    QTest::newRow("integer") << "25" << true << qint64(250000) << "25";
    QTest::newRow("decimals") << "12.50" << true << qint64(125000) << "12.5";
    QTest::newRow("leading dot") << ".5" << true << qint64(5000) << "0.5";
    QTest::newRow("trailing dot") << "5." << true << qint64(50000) << "5";
    QTest::newRow("round half up") << "0.00005" << true << qint64(1) << "0.0001";
    QTest::newRow("round down") << "0.00004" << true << qint64(0) << "0";
    QTest::newRow("negative") << "-1.25" << true << qint64(-12500) << "-1.25";
    QTest::newRow("largest") << "922337203685477.5807" << true << qint64(9223372036854775807LL)
                             << "922337203685477.5807";
    QTest::newRow("too large") << "922337203685477.5808" << false << qint64(0) << "";
    QTest::newRow("dot only") << "." << false << qint64(0) << "";
    QTest::newRow("two dots") << "1.2.3" << false << qint64(0) << "";
    QTest::newRow("exponent") << "1e5" << false << qint64(0) << "";
    QTest::newRow("empty") << "" << false << qint64(0) << "";
}

void TestPrice::currencyText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(qint64, units);
    QFETCH(QString, shortest);
    const std::optional<Currency> c = Currency::fromText(text);
    QCOMPARE(c.has_value(), valid);
    if (valid) {
        QCOMPARE(c->units(), units);
        QCOMPARE(c->toString(), shortest);
    }
}

QTEST_APPLESS_MAIN(TestPrice)
#include "tst_price.moc"
