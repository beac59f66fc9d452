#pragma once

#include <QString>
#include <QtGlobal>
#include <compare>
#include <optional>

namespace dedizo {

// A money amount with four fixed decimals, held as an integer count of 1/10000.
class Currency
{
public:
    static constexpr qint64 kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(qint64 units)
    {
        Currency c;
        c.m_units = units;
        return c;
    }

    // Reads a plain decimal text ("25", "12.50", "-0.3", ".5"): optional sign, digits with
    // at most one '.', no exponent. Digits past the fourth decimal are rounded half away from
    // zero. Nothing when the text is not such a number or out of range.
    static std::optional<Currency> fromText(QStringView text);

    constexpr qint64 units() const { return m_units; }
    constexpr bool isZero() const { return m_units == 0; }
    double toDouble() const { return double(m_units) / kScale; }
    // Shortest text without trailing zeros: "25", "12.5", "0.0001".
    QString toString() const;

    friend constexpr auto operator<=>(Currency, Currency) = default;

private:
    qint64 m_units = 0;
};

} // namespace dedizo
