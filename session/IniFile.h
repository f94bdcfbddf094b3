#pragma once

#include <QHash>
#include <QString>

// A read-only INI file with the semantics of the Windows profile functions: section and key
// names compare case-insensitively, blanks around names and values are dropped, a value in
// matching quotes loses them, the first occurrence of a section or key wins. The file may be
// saved in UTF-8, Windows-1252 or UTF-16 with its byte order mark. Unlike QSettings, commas and
// backslashes are plain text. Only a regular file is read, never a pipe or a device.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal, or hexadecimal when the text is longer than two characters and starts with "0x".
    int readInteger(const QString &section, const QString &key, int fallback) const;
    // An integer: 0 is false, any other number true.
    bool readBool(const QString &section, const QString &key, bool fallback) const;

    static QString decode(const QByteArray &bytes);

    // A real profile is a few hundred bytes; of a larger file, the lines within this many bytes
    // are read.
    static constexpr qint64 kLargestFile = 1024 * 1024;
    static bool parseInteger(const QString &text, int *value);

private:
    QHash<QString, QString> m_values; // "section\nkey", both lower case
};
