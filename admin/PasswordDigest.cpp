#include "admin/PasswordDigest.h"

#include <QCryptographicHash>

namespace dedizo {

namespace {
// Never change these: existing databases hold digests made with them.
constexpr char16_t kPrefix[] = u"~";
constexpr char16_t kSuffix[] = u"Dz9";
constexpr QChar kReplacedDigit = u'7';
constexpr QChar kReplacement = u'E';
} // namespace

QString PasswordDigest(const QString& password)
{
    const QString framed = QString::fromUtf16(kPrefix) + password + QString::fromUtf16(kSuffix);
    QString hex = QString::fromLatin1(
        QCryptographicHash::hash(framed.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
    hex.replace(kReplacedDigit, kReplacement);
    return hex.mid(4, 20);
}

bool PasswordMatches(const QString& password, const QString& digest)
{
    return PasswordDigest(password) == digest;
}

QString EmptyPasswordDigest()
{
    return PasswordDigest(QString());
}

} // namespace dedizo
