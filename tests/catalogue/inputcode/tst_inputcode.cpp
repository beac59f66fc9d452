#include "catalogue/inputcode/InputCode.h"

#include <QtTest>
#include <iconv.h>

using namespace dedizo;
using namespace Qt::StringLiterals;

namespace {

// The character of a GBK double-byte cell, decoded by iconv independently of the code under test.
QString decodeGbkCell(iconv_t cd, unsigned char lead, unsigned char trail)
{
    char in[2] = {char(lead), char(trail)};
    char32_t out[4] = {};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = 2, outLeft = sizeof(out);
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == size_t(-1) || inLeft != 0)
        return {};
    const qsizetype count = qsizetype((sizeof(out) - outLeft) / sizeof(char32_t));
    return QString::fromUcs4(out, count);
}

bool isCjkIdeograph(char32_t c)
{
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF) || c == 0x3007;
}

} // namespace

class TestInputCode : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void examples_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code");
        QTest::newRow("book title") << u"物权法"_s << u"WQF"_s;
        QTest::newRow("publisher") << u"科学出版社"_s << u"KXCBS"_s;
        QTest::newRow("reader") << u"李明"_s << u"LM"_s;
        QTest::newRow("plain") << u"中国人民"_s << u"ZGRM"_s;
        QTest::newRow("重 as zhong") << u"重庆"_s << u"ZQ"_s;
        QTest::newRow("行 as hang") << u"银行"_s << u"YH"_s;
        QTest::newRow("full-width brackets") << u"Office办公（第2版）"_s << u"OFFICEBG(D2B)"_s;
        QTest::newRow("blank dropped") << u"Windows 7 教程"_s << u"WINDOWS7JC"_s;
        QTest::newRow("title marks") << u"《三国演义》"_s << u"SGYY"_s;
        QTest::newRow("full-width letters") << u"ＡＢＣ１２３"_s << u"ABC123"_s;
        QTest::newRow("circled numbers") << u"①②⑩"_s << u"121"_s;
        QTest::newRow("greek") << u"αβγ"_s << u"ABG"_s;
        QTest::newRow("signs") << u"a_b-c d'e"_s << u"AB-CDE"_s;
        QTest::newRow("slash") << u"1/2"_s << u"12"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("kept ascii signs") << u"!\"#$%&()*+-.:<>?@[]^"_s << u"!\"#$%&()*+-.:<>?@[]^"_s;
        QTest::newRow("dropped ascii signs") << u" ',/;=\\_`{|}~\t\n"_s << QString();
        QTest::newRow("full-width punctuation") << u"，。：；！？＼＿｛｝"_s << QString();
        QTest::newRow("full-width square brackets") << u"［ａ］"_s << u"[A]"_s;
        QTest::newRow("roman numerals") << u"Ⅻⅹ"_s << u"11"_s;
        QTest::newRow("parenthesised and dotted") << u"⑴⒛㈩"_s << u"121"_s;
        QTest::newRow("greek capitals") << u"ΘΨΩ"_s << u"TPO"_s;
        QTest::newRow("other symbol rows") << u"、【】※→㎡"_s << QString();
        QTest::newRow("unit character") << u"瓸"_s << u"B"_s;
        QTest::newRow("compatibility ideograph") << u"\uF92C"_s << u"L"_s;
        QTest::newRow("ling") << u"二〇二一"_s << u"ELEY"_s;
    }
    void examples()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        QCOMPARE(InputCode(text), code);
        QCOMPARE(InputCodeOfGbk(ToGbk(text)), code);
    }

    void polyphones_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("syllable");
        const char* const choices[][2] = {
            {"长", "zhang"}, {"重", "zhong"}, {"行", "hang"}, {"乐", "le"},    {"调", "tiao"}, {"还", "hai"},
            {"率", "lv"},    {"沈", "shen"},  {"都", "dou"},  {"着", "zhe"},   {"会", "hui"},  {"校", "xiao"},
            {"朝", "chao"},  {"单", "dan"},   {"参", "can"},  {"曾", "ceng"},  {"藏", "cang"}, {"薄", "bao"},
            {"说", "shuo"},  {"和", "he"},    {"的", "de"},   {"盛", "sheng"}, {"厦", "sha"},  {"仇", "chou"},
            {"秘", "mi"},    {"觉", "jiao"},  {"区", "qu"},   {"绿", "lv"},    {"女", "nv"},   {"略", "lve"},
            {"地", "di"},    {"著", "zhu"},   {"茄", "qie"},  {"咳", "ke"},
        };
        for (const auto& c : choices)
            QTest::newRow(c[0]) << QString::fromUtf8(c[0]) << QString::fromLatin1(c[1]);
    }
    void polyphones()
    {
        QFETCH(QString, character);
        QFETCH(QString, syllable);
        const QByteArray gbk = ToGbk(character);
        QCOMPARE(gbk.size(), 2);
        QCOMPARE(GbkCellReading(uchar(gbk[0]), uchar(gbk[1])), syllable);
        QCOMPARE(GbkTranscription(gbk), syllable);
        QCOMPARE(InputCode(character), syllable.left(1).toUpper());
    }

    void sampleCells_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("syllable");
        QTest::newRow("0x8140") << 0x8140 << u"丂"_s << u"yu"_s;
        QTest::newRow("0x8141") << 0x8141 << u"丄"_s << u"shang"_s;
        QTest::newRow("0xB0A1") << 0xB0A1 << u"啊"_s << u"a"_s;
        QTest::newRow("0xB0C5") << 0xB0C5 << u"芭"_s << u"ba"_s;
        QTest::newRow("0xD7F9") << 0xD7F9 << u"座"_s << u"zuo"_s;
        QTest::newRow("0xF7FE") << 0xF7FE << u"齄"_s << u"zha"_s;
        QTest::newRow("0xA996 ling") << 0xA996 << u"〇"_s << u"ling"_s;
        QTest::newRow("兝 has none") << 0x83C0 << u"兝"_s << QString();
        QTest::newRow("瓱 has none") << 0xAD9F << u"瓱"_s << QString();
        QTest::newRow("0x7F trail") << 0xB07F << QString() << QString();
        QTest::newRow("symbol row A1") << 0xA1A2 << u"、"_s << QString();
    }
    void sampleCells()
    {
        QFETCH(int, cell);
        QFETCH(QString, character);
        QFETCH(QString, syllable);
        const uchar lead = uchar(cell >> 8), trail = uchar(cell & 0xFF);
        if (!character.isEmpty())
            QCOMPARE(ToGbk(character), QByteArray(1, char(lead)) + char(trail));
        QCOMPARE(GbkCellReading(lead, trail), syllable);
    }

    void outsideGbk_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("gbk");
        QTest::addColumn<QString>("code");
        QTest::newRow("emoji between") << u"物😀权"_s << QByteArray("\xCE\xEF?\xC8\xA8") << u"W?Q"_s;
        QTest::newRow("hangul") << u"한글"_s << QByteArray("??") << u"??"_s;
        QTest::newRow("extension B") << u"𠀀a"_s << QByteArray("?a") << u"?A"_s;
        QTest::newRow("lone low surrogate") << u"a\xDC00"
                                               u"b"_s
                                            << QByteArray("a?b") << u"A?B"_s;
        QTest::newRow("lone high surrogate at end") << u"a\xD800"_s << QByteArray("a?") << u"A?"_s;
        QTest::newRow("two high surrogates") << u"\xD800\xD800"_s << QByteArray("??") << u"??"_s;
        QTest::newRow("euro is a single byte") << u"€"_s << QByteArray("\x80") << QString();
    }
    void outsideGbk()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, gbk);
        QFETCH(QString, code);
        QCOMPARE(ToGbk(text), gbk);
        QCOMPARE(InputCode(text), code);
        QCOMPARE(InputCodeOfGbk(gbk), code);
    }

    // Byte sequences a conversion never yields but the walk must still handle.
    void byteWalk_data()
    {
        QTest::addColumn<QByteArray>("gbk");
        QTest::addColumn<QString>("code");
        QTest::newRow("lead byte at the end") << QByteArray("A\xB0") << u"A"_s;
        QTest::newRow("second byte below 0x40 is swallowed") << QByteArray("\x81"
                                                                           "0A")
                                                             << u"A"_s;
        QTest::newRow("trail 0xFF") << QByteArray("\xB0\xFF"
                                                  "b")
                                    << u"B"_s;
        QTest::newRow("0xFF is not a lead") << QByteArray("\xFF"
                                                          "b")
                                            << u"B"_s;
        QTest::newRow("0x80 alone") << QByteArray("\x80"
                                                  "c")
                                    << u"C"_s;
        QTest::newRow("row A2 below A1") << QByteArray("\xA2\xA0") << QString();
        QTest::newRow("row A3 low trail") << QByteArray("\xA3\x41") << QString();
        QTest::newRow("row A6 between ranges") << QByteArray("\xA6\xB9\xA6\xD9") << QString();
        QTest::newRow("pairs stay aligned") << QByteArray("\xB0\xA1\xB0\xC5") << u"AB"_s;
    }
    void byteWalk()
    {
        QFETCH(QByteArray, gbk);
        QFETCH(QString, code);
        QCOMPARE(InputCodeOfGbk(gbk), code);
    }

    void transcriptions_data()
    {
        QTest::addColumn<QString>("character");
        QTest::addColumn<QString>("transcription");
        QTest::newRow("ⅰ") << u"ⅰ"_s << u"1"_s;
        QTest::newRow("ⅹ") << u"ⅹ"_s << u"10"_s;
        QTest::newRow("⒈") << u"⒈"_s << u"1"_s;
        QTest::newRow("⒛") << u"⒛"_s << u"20"_s;
        QTest::newRow("⑴") << u"⑴"_s << u"1"_s;
        QTest::newRow("⒇") << u"⒇"_s << u"20"_s;
        QTest::newRow("①") << u"①"_s << u"1"_s;
        QTest::newRow("⑩") << u"⑩"_s << u"10"_s;
        QTest::newRow("㈠") << u"㈠"_s << u"1"_s;
        QTest::newRow("㈩") << u"㈩"_s << u"10"_s;
        QTest::newRow("Ⅰ") << u"Ⅰ"_s << u"1"_s;
        QTest::newRow("Ⅻ") << u"Ⅻ"_s << u"12"_s;
        QTest::newRow("euro in row A2") << QString() << QString();
        QTest::newRow("Α") << u"Α"_s << u"a"_s;
        QTest::newRow("Η") << u"Η"_s << u"e"_s;
        QTest::newRow("Θ") << u"Θ"_s << u"th"_s;
        QTest::newRow("Ξ") << u"Ξ"_s << u"x"_s;
        QTest::newRow("υ") << u"υ"_s << u"u"_s;
        QTest::newRow("φ") << u"φ"_s << u"ph"_s;
        QTest::newRow("χ") << u"χ"_s << u"kh"_s;
        QTest::newRow("ψ") << u"ψ"_s << u"ps"_s;
        QTest::newRow("ω") << u"ω"_s << u"o"_s;
        QTest::newRow("（") << u"（"_s << u"("_s;
        QTest::newRow("ｚ") << u"ｚ"_s << u"z"_s;
        QTest::newRow("９") << u"９"_s << u"9"_s;
        QTest::newRow("＠") << u"＠"_s << QString();
        QTest::newRow("a") << u"a"_s << u"a"_s;
        QTest::newRow("blank") << u" "_s << QString();
        QTest::newRow("中") << u"中"_s << u"zhong"_s;
    }
    void transcriptions()
    {
        QFETCH(QString, character);
        QFETCH(QString, transcription);
        const QByteArray gbk = character.isEmpty() ? QByteArray("\xA2\xE3") : ToGbk(character);
        QCOMPARE(GbkTranscription(gbk), transcription);
    }

    void keptSingleBytes()
    {
        const QByteArray kept = "!\"#$%&()*+-.0123456789:<>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^"
                                "abcdefghijklmnopqrstuvwxyz";
        for (int b = 0; b < 256; ++b) {
            const QByteArray one(1, char(b));
            const QString expected = kept.contains(char(b)) ? QString(QChar(b)).toUpper() : QString();
            QVERIFY2(InputCodeOfGbk(one) == expected, qPrintable(QString::number(b, 16)));
        }
    }

    void everyIdeographHasAReading()
    {
        iconv_t cd = iconv_open("UTF-32LE", "GBK");
        QVERIFY(cd != reinterpret_cast<iconv_t>(-1));
        const QString unread = u"兝瓱"_s;
        int ideographs = 0, filled = 0;
        QStringList missing, stray;
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                const QString ch = decodeGbkCell(cd, uchar(lead), uchar(trail));
                const QLatin1StringView reading = GbkCellReading(uchar(lead), uchar(trail));
                const bool ideograph = ch.size() == 1 && isCjkIdeograph(ch.front().unicode());
                ideographs += ideograph;
                filled += !reading.isEmpty();
                if (ideograph && reading.isEmpty() && !unread.contains(ch))
                    missing << ch;
                if (!reading.isEmpty() && (!ideograph || unread.contains(ch)))
                    stray << QString::number(lead * 256 + trail, 16);
                for (QChar c : reading)
                    QVERIFY(c >= u'a' && c <= u'z');
                QVERIFY(reading.size() <= 6);
            }
        }
        iconv_close(cd);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ')));
        QVERIFY2(stray.isEmpty(), qPrintable(stray.join(u' ')));
        QCOMPARE(filled, ideographs - 2);
        QVERIFY(ideographs > 20900);
    }

    // The per-character shortcut must give what converting the whole text and walking its bytes gives.
    void shortcutMatchesConversion()
    {
        QString all;
        for (int u = 0; u < 0x10000; ++u)
            all += QChar(char16_t(u));
        for (qsizetype from = 0; from < all.size(); from += 4096) {
            const QString chunk = all.mid(from, 4096);
            QCOMPARE(InputCode(chunk), InputCodeOfGbk(ToGbk(chunk)));
        }
        const QString mixed = u"𠀀中😀a\xD83D文b\xDE00𝄞Ⅻ"_s;
        QCOMPARE(InputCode(mixed), InputCodeOfGbk(ToGbk(mixed)));
    }
};

QTEST_GUILESS_MAIN(TestInputCode)
#include "tst_inputcode.moc"
