#include "acquisition/marc/Currency.h"

#include <limits>

namespace dedizo {

std::optional<Currency> Currency::fromText(QStringView text)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    constexpr qint64 kMax = std::numeric_limits<qint64>::max();
    qint64 units = 0;
    int digits = 0;
    int decimals = -1; // -1 while before the decimal point
    bool roundUp = false;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == '.') {
            if (decimals >= 0)
                return std::nullopt;
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        ++digits;
        const int d = c - '0';
        if (decimals >= 4) {
            if (decimals == 4)
                roundUp = d >= 5;
            ++decimals;
            continue;
        }
        if (units > (kMax - d) / 10)
            return std::nullopt;
        units = units * 10 + d;
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return std::nullopt;
    for (int k = decimals < 0 ? 0 : decimals; k < 4; ++k) {
        if (units > kMax / 10)
            return std::nullopt;
        units *= 10;
    }
    if (roundUp) {
        if (units == kMax)
            return std::nullopt;
        ++units;
    }
    return fromUnits(negative ? -units : units);
}

QString Currency::toString() const
{
    const bool negative = m_units < 0;
    // Work in unsigned to survive the most negative value.
    const quint64 magnitude = negative ? quint64(0) - quint64(m_units) : quint64(m_units);
    QString s = QString::number(magnitude / kScale);
    quint64 frac = magnitude % kScale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

} // namespace dedizo
