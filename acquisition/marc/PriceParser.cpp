// Price texts of catalogue records are dirty: full-width characters, Chinese numerals,
// misspelt currency codes and notes mixed in. The tables below were collected from real
// catalogue data; each entry is there because some record needed it.
#include "acquisition/marc/MarcRecord.h"
#include "acquisition/marc/PriceTables.h"
#include "acquisition/marc/Regex.h"

#include <QHash>

namespace dedizo {

namespace {

// Currency code by alias (case-folded); the first list naming an alias wins.
const QHash<QString, QString>& currencyAliases()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        const auto add = [&t](const auto& aliases, const QString& code) {
            for (const char16_t* alias : aliases) {
                const QString key = QString::fromUtf16(alias).toCaseFolded();
                if (!t.contains(key))
                    t.insert(key, code);
            }
        };
        using namespace price_tables;
        add(kDollarAliases, QStringLiteral("CNY"));
        add(kCnyAliases, QStringLiteral("CNY"));
        add(kHkdAliases, QStringLiteral("HKD"));
        add(kUsdAliases, QStringLiteral("USD"));
        add(kTwdAliases, QStringLiteral("TWD"));
        add(kMopAliases, QStringLiteral("MOP"));
        add(kJpyAliases, QStringLiteral("JPY"));
        add(kNoCurrencyAliases, QString());
        add(kGbpAliases, QStringLiteral("GBP"));
        add(kMyrAliases, QStringLiteral("MYR"));
        add(kKrwAliases, QStringLiteral("KRW"));
        add(kSgdAliases, QStringLiteral("SGD"));
        add(kAedAliases, QStringLiteral("AED"));
        add(kPhpAliases, QStringLiteral("PHP"));
        add(kThbAliases, QStringLiteral("THB"));
        add(kAudAliases, QStringLiteral("AUD"));
        // Codes kept as they are.
        for (const char16_t* code : kKeptCodes) {
            const QString c = QString::fromUtf16(code);
            if (!t.contains(c.toCaseFolded()))
                t.insert(c.toCaseFolded(), c);
        }
        return t;
    }();
    return table;
}

bool inStripList(QChar c)
{
    for (char16_t s : price_tables::kStripChars) {
        if (c.unicode() == s)
            return true;
    }
    return false;
}

struct TextPair
{
    QString from;
    QString to;
};

template <size_t N> QList<TextPair> textPairs(const price_tables::Correction (&table)[N])
{
    QList<TextPair> pairs;
    for (const auto& c : table)
        pairs.append({QString::fromUtf16(c.from), QString::fromUtf16(c.to)});
    return pairs;
}

const QList<TextPair>& printingCorrections()
{
    static const QList<TextPair> pairs = textPairs(price_tables::kPrintingCorrections);
    return pairs;
}

const QList<TextPair>& fixedCorrections()
{
    static const QList<TextPair> pairs = textPairs(price_tables::kFixedCorrections);
    return pairs;
}

const QStringList& qualifiers()
{
    static const QStringList list = [] {
        QStringList l;
        for (const char16_t* q : price_tables::kQualifiers)
            l << QString::fromUtf16(q);
        return l;
    }();
    return list;
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

// Characters trimmed from both ends of the note.
bool isNoteTrim(QChar c)
{
    switch (c.unicode()) {
    case u' ':
    case u';':
    case u'；':
    case u',':
    case u'，':
    case u'*':
        return true;
    default:
        return false;
    }
}

} // namespace

PriceDetail MarcRecord::parsePriceDetail(const QString& text, bool isIgnoreErrors)
{
    QString s = text;

    // Full-width forms and brackets.
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        char16_t r = 0;
        if (c >= 0xFF10 && c <= 0xFF19)
            r = char16_t('0' + (c - 0xFF10));
        else {
            switch (c) {
            case 0xFF08:
                r = '(';
                break;
            case 0xFF09:
                r = ')';
                break;
            case 0xFF04:
                r = '$';
                break;
            case 0xFF1F:
                r = '?';
                break;
            case 0xFF23:
                r = 'C';
                break;
            case 0xFF2E:
                r = 'N';
                break;
            case 0xFF39:
                r = 'Y';
                break;
            case '[':
            case ']':
            case 0x3014:
            case 0x3015:
            case 0xFF3B:
            case 0xFF3D:
                r = ' ';
                break;
            default:
                break;
            }
        }
        if (r)
            s[i] = QChar(r);
    }

    // Printing statements whose dates would otherwise be read as the amount.
    for (const TextPair& c : printingCorrections())
        s.replace(c.from, c.to);

    // "(全二册)25.00元": a leading parenthesised note moves behind the amount.
    {
        const qsizetype p = s.indexOf(QLatin1Char('('));
        const qsizetype q = s.indexOf(QLatin1Char(')'));
        qsizetype digit = -1;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (isAsciiDigit(s[i])) {
                digit = i;
                break;
            }
        }
        // Only a well-formed "(...)" that closes before the first digit is moved.
        if (p >= 0 && q > p && digit > q) {
            const QString note = s.mid(p, q - p + 1);
            s.remove(p, q - p + 1);
            s += note;
        }
    }

    for (const TextPair& c : fixedCorrections())
        s.replace(c.from, c.to);
    {
        const qsizetype i = s.indexOf(QStringLiteral("￥o."), 0, Qt::CaseInsensitive);
        if (i >= 0)
            s.replace(i, 3, QStringLiteral("￥0."));
    }
    s.replace(QLatin1String("o.65"), QLatin1String("0.65"));

    if (s.startsWith(QStringLiteral("台币")) || s.startsWith(QStringLiteral("新台币"))) {
        static const char16_t kNumerals[] = u"一二三四五六七八九";
        for (qsizetype i = 0; i < s.size(); ++i) {
            for (int n = 0; n < 9; ++n) {
                if (s[i].unicode() == kNumerals[n])
                    s[i] = QChar(char16_t('1' + n));
            }
        }
    }

    PriceDetail result;
    // The leftmost match always starts at 0, so anchoring changes nothing but spares
    // a quadratic search over long texts without digits.
    static const Regex kSplit(QStringLiteral("([^\\d]*)([\\d\\,\\.]+)(.*)"),
                              Regex::anchored() | Regex::dotAll());
    const Regex::Match m = kSplit.match(s);
    QString unit;
    if (!m.matched()) {
        result.notes = s;
    } else {
        QString c = m.captured(s, 1).toString().toUpper();
        for (const QString& q : qualifiers()) {
            const qsizetype at = c.indexOf(q);
            if (at >= 0) {
                c.remove(at, q.size());
                unit = q;
                break;
            }
        }
        for (qsizetype i = c.size() - 1; i >= 0; --i) {
            if (inStripList(c[i]))
                c.remove(i, 1);
        }

        const auto alias = currencyAliases().constFind(c.toCaseFolded());
        if (alias != currencyAliases().constEnd())
            result.currency = alias.value();
        else if (!isIgnoreErrors)
            throw MarcError(QStringLiteral("未知币种：") + c + QStringLiteral(" >> ") + s +
                            QStringLiteral(" >> ") + text);

        QString amount = m.captured(s, 2).toString();
        const qsizetype firstDot = amount.indexOf(QLatin1Char('.'));
        if (firstDot >= 0) {
            const qsizetype secondDot = amount.indexOf(QLatin1Char('.'), firstDot + 1);
            if (secondDot >= 0)
                amount.truncate(secondDot);
        }
        amount.remove(QLatin1Char(','));
        const std::optional<Currency> value = Currency::fromText(amount);
        if (value)
            result.price = *value;
        else if (!isIgnoreErrors)
            throw MarcError(QStringLiteral("无效的金额：") + amount + QStringLiteral(" >> ") + text);
        // Lenient mode: an unreadable amount ("CNY.") counts as no price.

        QString notes = m.captured(s, 3).toString();
        qsizetype b = 0, e = notes.size();
        while (b < e && isNoteTrim(notes[b]))
            ++b;
        while (e > b && isNoteTrim(notes[e - 1]))
            --e;
        notes = notes.mid(b, e - b);
        b = 0;
        while (b < notes.size() &&
               (notes[b] == QLatin1Char(')') || notes[b].unicode() == u'元' || notes[b].unicode() == u'円'))
            ++b;
        result.notes = notes.mid(b);
    }

    // A neighbouring subfield leaked into the price.
    if (result.notes.contains(QLatin1String("$c")) || result.notes.contains(QLatin1String("$b")))
        result.notes.clear();
    if (result.notes.isEmpty())
        result.notes = unit;
    else if (!unit.isEmpty())
        result.notes = unit + QLatin1Char(' ') + result.notes;
    return result;
}

} // namespace dedizo
