#pragma once

#include <QString>
#include <QStringList>

namespace dedizo {

enum MarcState : int
{
    msNormal,
    msIncomplete,
};

enum MarcFormat : int
{
    mfUnknown,
    mfCNMarc,
    mfMarc21,
};

// A MARC record in line form: one field per line. Characters 1-3 are the tag;
// a subfield starts with '|' and one code character and runs to the next '|'.
// The producer sets the state and the tag set (only CNMARC is interpreted).
class Marc : public QStringList
{
public:
    Marc() = default;
    Marc(std::initializer_list<QString> lines, MarcFormat format = mfUnknown)
        : QStringList(lines), Format(format)
    {
    }

    MarcState State = msNormal;
    MarcFormat Format = mfUnknown;
};

// True when the text is non-empty and made of ASCII digits only.
bool isDigits(QStringView text);
// Ten characters of which the first nine are digits, or 13 beginning with 978/979.
bool isISBN(QStringView text);
// Eight characters of which the first seven are digits, or 13 beginning with 977 and
// digits in places 4 to 10.
bool isISSN(QStringView text);
// ISBN-10 to ISBN-13 (new check digit); anything else comes back unchanged.
QString ISBNTo13(const QString& text);
// 13-digit ISSN (EAN prefix 977) to the 8-character ISSN; anything else unchanged.
QString ISSNTo8(const QString& text);
// Reduces a raw standard number (ISBN, ISSN, CN number, ISRC) to its bare form.
QString normalizeStandardNumber(const QString& raw);
// No-break and ideographic spaces become spaces, then control characters and
// spaces are trimmed from both ends.
QString cleanCellText(const QString& text);

// Removes leading and trailing characters below code 33.
QString trimControl(QStringView text);

} // namespace dedizo
