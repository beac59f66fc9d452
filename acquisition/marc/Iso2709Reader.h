#pragma once

#include "acquisition/marc/Marc.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

namespace dedizo {

enum class MarcEncoding
{
    Auto, // UTF-8 when the record is valid UTF-8, else GBK (read as GB18030, its superset)
    Utf8,
    Gbk,
};

// A record that could not be read, with where it started.
struct MarcReadIssue
{
    int record = 0;       // 1-based number of the record in the file
    qsizetype offset = 0; // byte offset (ISO 2709) or line number (line form) where it starts
    QString reason;
};

// Reads ISO 2709 records (leader, directory, fields; subfield delimiter 0x1F, field
// terminator 0x1E, record terminator 0x1D) into line form:
//   "LDR " + leader
//   control field:  tag + data                         "001012345"
//   data field:     tag + indicators + "|" code value   "2001 |a书名|f张三著"
// A '|' inside indicators, codes or values becomes the full-width '｜' so that it cannot
// start a subfield. Corrupt records are skipped and listed in issues().
class Iso2709Reader
{
public:
    explicit Iso2709Reader(QByteArray data, MarcEncoding encoding = MarcEncoding::Auto);
    ~Iso2709Reader();
    Iso2709Reader(const Iso2709Reader&) = delete;
    Iso2709Reader& operator=(const Iso2709Reader&) = delete;

    // The next well-formed record; false at the end of the data. The record's format is
    // left mfUnknown (see detectMarcFormat).
    bool readNext(Marc& record);
    const QList<MarcReadIssue>& issues() const { return m_issues; }

private:
    bool parseRecord(qsizetype begin, qsizetype end, Marc& record, QString& reason);
    QString decode(const char* bytes, qsizetype size, bool utf8) const;

    QByteArray m_data;
    MarcEncoding m_encoding;
    qsizetype m_pos = 0;
    int m_recordNumber = 0;
    QList<MarcReadIssue> m_issues;
    struct Gbk;
    std::unique_ptr<Gbk> m_gbk;
};

// True when the bytes look like ISO 2709 (they hold a field or record terminator).
bool looksLikeIso2709(const QByteArray& data);

} // namespace dedizo
