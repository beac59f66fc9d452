#include "core/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>

namespace dedizo {

namespace {

QStringList readLines(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

bool isSectionLine(const QString& trimmed, QString* name)
{
    if (!trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return false;
    *name = trimmed.mid(1, trimmed.size() - 2).trimmed();
    return true;
}

// Splits "Key=Value"; false for comments and lines without '='.
bool splitKeyValue(const QString& line, QString* key, QString* value)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')))
        return false;
    const int eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1).trimmed();
    return true;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path))
{
}

bool IniFile::findValue(const QString& section, const QString& key, QString* value) const
{
    bool inSection = false;
    for (const QString& line : readLines(m_path)) {
        QString name, k, v;
        if (isSectionLine(line.trimmed(), &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
        } else if (inSection && splitKeyValue(line, &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            *value = v;
            return true;
        }
    }
    return false;
}

bool IniFile::contains(const QString& section, const QString& key) const
{
    QString v;
    return findValue(section, key, &v);
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const
{
    QString v;
    return findValue(section, key, &v) ? v : defaultValue;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const
{
    QString v;
    if (!findValue(section, key, &v))
        return defaultValue;
    bool ok = false;
    int n = v.toInt(&ok);
    if (!ok && v.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        n = v.mid(2).toInt(&ok, 16);
    return ok ? n : defaultValue;
}

double IniFile::readFloat(const QString& section, const QString& key, double defaultValue) const
{
    QString v;
    if (!findValue(section, key, &v))
        return defaultValue;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? d : defaultValue;
}

bool IniFile::readBoolean(const QString& section, const QString& key, bool defaultValue) const
{
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool IniFile::writeString(const QString& section, const QString& key, const QString& value)
{
    // Values are single lines; a line break would end the value early.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return setValue(section, key, &clean);
}

bool IniFile::writeInteger(const QString& section, const QString& key, int value)
{
    return writeString(section, key, QString::number(value));
}

bool IniFile::writeFloat(const QString& section, const QString& key, double value)
{
    return writeString(section, key, QString::number(value, 'g', 15));
}

bool IniFile::writeBoolean(const QString& section, const QString& key, bool value)
{
    return writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::remove(const QString& section, const QString& key)
{
    return setValue(section, key, nullptr);
}

bool IniFile::setValue(const QString& section, const QString& key, const QString* value)
{
    QStringList lines = readLines(m_path);
    int sectionStart = -1;
    int sectionEnd = -1; // index after the last key line of the section
    int keyLine = -1;
    bool inSection = false;
    for (int i = 0; i < lines.size(); ++i) {
        QString name, k, v;
        if (isSectionLine(lines[i].trimmed(), &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection && sectionStart < 0) {
                sectionStart = i;
                sectionEnd = i + 1;
            }
        } else if (inSection) {
            if (!lines[i].trimmed().isEmpty())
                sectionEnd = i + 1;
            if (keyLine < 0 && splitKeyValue(lines[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0)
                keyLine = i;
        }
    }
    if (!value) {
        if (keyLine < 0)
            return true;
        lines.removeAt(keyLine);
    } else {
        const QString entry = key + QLatin1Char('=') + *value;
        if (keyLine >= 0) {
            lines[keyLine] = entry;
        } else if (sectionStart >= 0) {
            lines.insert(sectionEnd, entry);
        } else {
            if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
                lines.append(QString());
            lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
            lines.append(entry);
        }
    }
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(lines.join(QLatin1String("\r\n")).toUtf8());
    f.write("\r\n");
    return f.commit();
}

} // namespace dedizo
