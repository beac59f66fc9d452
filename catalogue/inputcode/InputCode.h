#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1StringView>
#include <QString>

namespace dedizo {

// The input code of a name: the upper-case pinyin initials of its Chinese
// characters, with letters, digits and a few signs kept (物权法 -> WQF,
// Windows 7 教程 -> WINDOWS7JC). Characters outside GBK give "?".
QString InputCode(const QString& text);

// The same over text already in GBK (code page 936) bytes.
QString InputCodeOfGbk(QByteArrayView gbk);

// The text in GBK bytes; a character without a GBK form becomes "?".
QByteArray ToGbk(const QString& text);

// What one GBK character (one byte, or a lead and a trail byte) transcribes
// to before its first letter is taken: a syllable ("zhong"), the number of an
// enumerated symbol ("10"), a Greek letter's transliteration ("th"), the
// character itself ("a", "("), or nothing.
QLatin1StringView GbkTranscription(QByteArrayView character);

// The reading table's syllable of a double-byte cell (empty when none).
QLatin1StringView GbkCellReading(unsigned char lead, unsigned char trail);

} // namespace dedizo
