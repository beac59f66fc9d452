#pragma once

#include "acquisition/marc/Iso2709Reader.h"
#include "acquisition/marc/Marc.h"

#include <QList>
#include <QString>

namespace dedizo {

// Tag set of a record by its fields: a 245 title means MARC 21, a 200 title CNMARC.
MarcFormat detectMarcFormat(const Marc& record);

struct MarcFileContents
{
    QList<Marc> records;
    QList<MarcReadIssue> issues; // records that were skipped
};

// Reads MARC records from bytes: ISO 2709 when they hold MARC terminators, else line form
// (one field per line as in Marc, records separated by blank lines; UTF-8, or GBK when not
// valid UTF-8). Each record's format is `format`, or detected when that is mfUnknown.
MarcFileContents readMarcData(const QByteArray& data, MarcFormat format = mfUnknown,
                              MarcEncoding encoding = MarcEncoding::Auto);

// Reads a file as readMarcData does; false with an error text when it cannot be read.
bool readMarcFile(const QString& path, MarcFileContents& contents, QString& error,
                  MarcFormat format = mfUnknown, MarcEncoding encoding = MarcEncoding::Auto);

// Decodes GBK (GB18030) bytes; bytes that start no valid character become U+FFFD.
QString decodeGbk(const QByteArray& bytes);

} // namespace dedizo
