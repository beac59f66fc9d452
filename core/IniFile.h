#pragma once

#include <QString>

namespace dedizo {

// A Windows-style INI file ("[Section]" then "Key=Value" lines). Every read
// parses the file afresh and every write rewrites it at once, so several
// readers (and other programs) always see the current content. Section and key
// names compare without regard to case. The file is UTF-8.
class IniFile
{
public:
    explicit IniFile(QString path);

    const QString& path() const { return m_path; }

    bool contains(const QString& section, const QString& key) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    double readFloat(const QString& section, const QString& key, double defaultValue) const;
    bool readBoolean(const QString& section, const QString& key, bool defaultValue) const;

    bool writeString(const QString& section, const QString& key, const QString& value);
    bool writeInteger(const QString& section, const QString& key, int value);
    bool writeFloat(const QString& section, const QString& key, double value);
    bool writeBoolean(const QString& section, const QString& key, bool value);
    bool remove(const QString& section, const QString& key);

private:
    bool findValue(const QString& section, const QString& key, QString* value) const;
    bool setValue(const QString& section, const QString& key, const QString* value);

    QString m_path;
};

} // namespace dedizo
