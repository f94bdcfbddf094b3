#include "session/IniFile.h"

#include "codec/Win1252.h"
#include "common/RegularFile.h"

#include <QStringDecoder>

namespace
{

QString entryKey(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + u'\n' + key.trimmed().toLower();
}

} // namespace

QString IniFile::decode(const QByteArray &bytes)
{
    // Notepad's "Unicode" is UTF-16 with its byte order mark; the decoder drops the mark.
    if (bytes.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(bytes);
    if (bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(bytes);
    QByteArray content = bytes;
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    return fb::Win1252::toUnicode(content);
}

IniFile::IniFile(const QString &path)
{
    const std::optional<QByteArray> bytes = readRegularFile(path, kLargestFile);
    if (!bytes)
        return;
    QString text = decode(*bytes);
    // A file cut at the limit ends in the middle of a line, which is not taken.
    if (bytes->size() == kLargestFile)
        text.truncate(text.lastIndexOf(u'\n') + 1);
    QString section;
    bool inSection = false;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toLower();
            inSection = true;
            continue;
        }
        if (!inSection)
            continue;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString name = entryKey(section, line.left(equals));
        if (m_values.contains(name))
            continue;
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        m_values.insert(name, value);
    }
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const auto it = m_values.constFind(entryKey(section, key));
    return it == m_values.constEnd() ? fallback : *it;
}

bool IniFile::parseInteger(const QString &text, int *value)
{
    bool ok = false;
    int number = 0;
    if (text.size() > 2 && text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)) {
        const uint hex = text.mid(2).toUInt(&ok, 16);
        number = int(hex);
        ok = ok && !text.mid(2).startsWith(u'+') && !text.mid(2).startsWith(u'-');
    } else {
        number = text.toInt(&ok, 10);
    }
    if (ok)
        *value = number;
    return ok;
}

int IniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    int value = fallback;
    return parseInteger(readString(section, key, QString()), &value) ? value : fallback;
}

bool IniFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}
