// Throughput of InputCode over a few megabytes of generated Chinese names and titles.
#include "catalogue/inputcode/InputCode.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <cstdio>

using namespace dedizo;
using namespace Qt::StringLiterals;

namespace {

// Titles of 4-30 characters: mostly common hanzi (GB2312 level 1), some rarer
// GBK ideographs, ASCII words and digits, full-width and title punctuation.
QStringList makeTitles(qsizetype totalChars)
{
    QRandomGenerator rng(20210513);
    QString level1, rare;
    for (char16_t u = 0x4E00; u <= 0x9FA5; ++u) {
        const QByteArray gbk = ToGbk(QString(QChar(u)));
        const bool common = gbk.size() == 2 && uchar(gbk[0]) >= 0xB0 && uchar(gbk[0]) <= 0xD7;
        (common ? level1 : rare) += QChar(u);
    }
    const QStringList words = {u"Windows"_s, u"C++"_s, u"Qt"_s, u"2021"_s, u"第2版"_s, u"（上）"_s,
                               u"《"_s,      u"》"_s,  u"ⅰ"_s,  u"①"_s,    u" "_s,     u"·"_s};
    QStringList titles;
    qsizetype chars = 0;
    while (chars < totalChars) {
        QString t;
        const int len = 4 + int(rng.bounded(27));
        while (t.size() < len) {
            const quint32 r = rng.bounded(100);
            if (r < 85)
                t += level1.at(rng.bounded(int(level1.size())));
            else if (r < 93)
                t += rare.at(rng.bounded(int(rare.size())));
            else
                t += words.at(rng.bounded(int(words.size())));
        }
        chars += t.size();
        titles << t;
    }
    return titles;
}

template <typename Fn> double charsPerSecond(const QStringList& titles, qsizetype chars, Fn fn, int rounds)
{
    qsizetype sink = 0;
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r)
        for (const QString& t : titles)
            sink += fn(t).size();
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (sink == 42)
        std::puts("");
    return double(chars) * rounds / seconds;
}

} // namespace

int main()
{
    const QStringList titles = makeTitles(2 * 1024 * 1024);
    qsizetype chars = 0;
    for (const QString& t : titles)
        chars += t.size();
    QString whole = titles.join(QString());

    // The first call builds the per-character table; time it on its own.
    QElapsedTimer warm;
    warm.start();
    InputCode(u"物权法"_s);
    std::printf("first call (builds the character table): %.1f ms\n", warm.nsecsElapsed() / 1e6);

    std::printf("text: %lld titles, %lld characters (%.1f MB as UTF-16)\n",
                static_cast<long long>(titles.size()), static_cast<long long>(chars), chars * 2 / 1048576.0);
    const double perTitle = charsPerSecond(
        titles, chars, [](const QString& t) { return InputCode(t); }, 5);
    std::printf("InputCode per title:           %8.1f M chars/s\n", perTitle / 1e6);
    const QStringList one{whole};
    const double bulk = charsPerSecond(
        one, chars, [](const QString& t) { return InputCode(t); }, 5);
    std::printf("InputCode on one long text:    %8.1f M chars/s\n", bulk / 1e6);
    // Anchor: converting each title with iconv and walking its GBK bytes.
    const double literal = charsPerSecond(
        titles, chars, [](const QString& t) { return InputCodeOfGbk(ToGbk(t)); }, 1);
    std::printf("iconv + byte walk per title:   %8.1f M chars/s\n", literal / 1e6);
    return 0;
}
