#pragma once

#include <QString>
#include <QStringView>
#include <memory>

namespace dedizo {

// A compiled PCRE2 expression over UTF-16 code units. Compiled without UTF checks so
// that any QString, even one with lone surrogates, can be searched.
class Regex
{
public:
    // Compile errors are programming errors: the pattern is fixed in the source.
    explicit Regex(const QString& pattern, quint32 options = 0);
    ~Regex();
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    // One match: group offsets into the searched text. Group i is [begin(i), end(i)).
    class Match
    {
    public:
        bool matched() const { return m_matched; }
        qsizetype begin(int group) const;
        qsizetype end(int group) const;
        QStringView captured(QStringView subject, int group) const;

    private:
        friend class Regex;
        bool m_matched = false;
        qsizetype m_offsets[2 * 4] = {};
        int m_groups = 0;
    };

    // Matches at or after `start`. Up to three groups are reported. A match-limit error
    // counts as no match.
    Match match(QStringView subject, qsizetype start = 0) const;

    static quint32 anchored();
    static quint32 dotAll();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace dedizo
