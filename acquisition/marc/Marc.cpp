#include "acquisition/marc/Marc.h"

namespace dedizo {

namespace {

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

} // namespace

QString trimControl(QStringView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && text[b].unicode() < 33)
        ++b;
    while (e > b && text[e - 1].unicode() < 33)
        --e;
    return text.mid(b, e - b).toString();
}

bool isDigits(QStringView text)
{
    return !text.isEmpty() && allDigits(text);
}

bool isISBN(QStringView text)
{
    if (text.size() == 10)
        return allDigits(text.left(9));
    if (text.size() == 13)
        return text.startsWith(u"978") || text.startsWith(u"979");
    return false;
}

bool isISSN(QStringView text)
{
    if (text.size() == 8)
        return allDigits(text.left(7));
    if (text.size() == 13)
        return text.startsWith(u"977") && allDigits(text.mid(3, 7));
    return false;
}

QString ISBNTo13(const QString& text)
{
    if (text.size() != 10 || !isISBN(text))
        return text;
    const QString t = QStringLiteral("978") + text.left(9);
    int sum = 0;
    for (int i = 0; i < 12; ++i) {
        const int digit = t[i].unicode() - '0';
        sum += (i % 2 == 0) ? digit : 3 * digit; // positions 1, 3, ... count once
    }
    const int rest = sum % 10;
    return t + QString::number(rest == 0 ? 0 : 10 - rest);
}

QString ISSNTo8(const QString& text)
{
    if (text.size() != 13 || !isISSN(text))
        return text;
    const QString t = text.mid(3, 7);
    int sum = 0;
    for (int p = 1; p <= 7; ++p)
        sum += (9 - p) * (t[p - 1].unicode() - '0');
    const int c = 11 - sum % 11;
    const QString check = c == 11 ? QStringLiteral("0") : c == 10 ? QStringLiteral("X") : QString::number(c);
    return t + check;
}

QString normalizeStandardNumber(const QString& raw)
{
    QString s = raw;

    qsizetype lead = 0;
    while (lead < s.size() && s[lead].unicode() < 33)
        ++lead;
    s.remove(0, lead);

    // A space after the 13th character ends the number ("7-5004-1234-5 : CNY25.00").
    const qsizetype space = s.indexOf(QLatin1Char(' '));
    if (space > 12)
        s.truncate(space);

    // Qualifiers behind the number: "(精装)", "/G4", ", 平装" ...
    static const char16_t kCut[] = u"/\\(\uFF08,\uFF0C;\uFF1B";
    qsizetype cut = -1;
    for (qsizetype i = 0; i < s.size() && cut < 0; ++i) {
        for (const char16_t* c = kCut; *c; ++c) {
            if (s[i].unicode() == *c) {
                cut = i;
                break;
            }
        }
    }
    if (cut > 0)
        s.truncate(cut);

    s = s.toUpper();

    const qsizetype a = s.indexOf(QLatin1String("ISBN"));
    const qsizetype r = s.indexOf(QLatin1String("ISRC"));
    if (a >= 0 && r >= 0)
        s.truncate(r > a ? r : a);
    else if (a < 0 && r > 10)
        s.truncate(r);

    s.remove(QLatin1String("ISBN"));
    s.remove(QLatin1String("ISSN"));
    s.remove(QLatin1String("ISRC"));

    QString bare;
    bare.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if ((u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z'))
            bare.append(c);
    }

    if (isISBN(bare))
        return ISBNTo13(bare);
    if (isISSN(bare))
        return ISSNTo8(bare);
    if (bare.startsWith(QLatin1String("CN")))
        return bare.mid(2);
    return bare;
}

QString cleanCellText(const QString& text)
{
    QString s = text;
    s.replace(QChar(0x00A0), QLatin1Char(' '));
    s.replace(QChar(0x3000), QLatin1Char(' '));
    return trimControl(s);
}

} // namespace dedizo
