#include "core/Scramble.h"

#include <QByteArray>
#include <QList>
#include <QStringDecoder>
#include <algorithm>

namespace dedizo {

namespace {
// Fixed for good: values already written by earlier versions depend on them.
const char32_t kLeadMarker = U'D';
const std::u32string kTailMarker = U"z!q";
} // namespace

QString scramble(const QString& plain)
{
    if (plain.isEmpty())
        return {};
    // Work on code points so a character outside the BMP is never split.
    const QList<uint> cps = plain.toUcs4();
    std::u32string text;
    text += kLeadMarker;
    text += char32_t(cps.first());
    for (auto it = cps.crbegin(); it != cps.crend(); ++it)
        text += char32_t(*it);
    text += kTailMarker;
    return QString::fromLatin1(QString::fromUcs4(text.data(), qsizetype(text.size())).toUtf8().toBase64());
}

QString unscramble(const QString& stored)
{
    const QString trimmed = stored.trimmed();
    if (trimmed.isEmpty())
        return {};
    const auto decoded =
        QByteArray::fromBase64Encoding(trimmed.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return {};
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(*decoded);
    if (utf8.hasError())
        return {};
    const QList<uint> cps = text.toUcs4();
    if (cps.size() < 5 || cps.first() != kLeadMarker)
        return {};
    std::u32string tail;
    for (qsizetype i = cps.size() - 3; i < cps.size(); ++i)
        tail += char32_t(cps[i]);
    if (tail != kTailMarker)
        return {};
    std::u32string value;
    for (qsizetype i = cps.size() - 4; i >= 2; --i)
        value += char32_t(cps[i]);
    return QString::fromUcs4(value.data(), qsizetype(value.size()));
}

} // namespace dedizo
