#include "codec/Win1252.h"

#include <array>

namespace fb
{

namespace
{

constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

} // namespace

char16_t Win1252::charFor(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

int Win1252::byteFor(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return unit;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit)
            return int(0x80 + i);
    }
    return -1;
}

QString Win1252::toUnicode(const char *data, qsizetype size)
{
    QString text(size, Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < size; ++i)
        out[i] = QChar(charFor(static_cast<unsigned char>(data[i])));
    return text;
}

QString Win1252::toUnicode(const QByteArray &bytes)
{
    return toUnicode(bytes.constData(), bytes.size());
}

QByteArray Win1252::fromUnicode(const QString &text, bool *ok)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bool all = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = byteFor(text.at(i).unicode());
        if (byte < 0)
            all = false;
        bytes[i] = char(byte < 0 ? '?' : byte);
    }
    if (ok)
        *ok = all;
    return bytes;
}

} // namespace fb
