#pragma once

#include <QByteArray>
#include <QString>

namespace fb
{

// Windows-1252, the connection's character set. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as Windows and Qt's
// converter do, so every byte has exactly one character and the conversion is a bijection between
// the 256 bytes and 256 characters; a WIN1252 attachment stores and returns those bytes unchanged.
// Qt's converter decodes the same, but layout, PDF and input checks ask about one character at
// a time, which Qt answers only by converting a one-character string (over ten times slower);
// and where this one writes '?' for each code unit it cannot store, Qt writes one 0x1A per
// character.
class Win1252
{
public:
    static QString toUnicode(const QByteArray &bytes);
    static QString toUnicode(const char *data, qsizetype size);
    // Characters outside the set become '?'; *ok (when given) tells whether that happened.
    static QByteArray fromUnicode(const QString &text, bool *ok = nullptr);
    // The byte for one character, or -1 when the character is not in the set.
    static int byteFor(char16_t unit);
    static char16_t charFor(unsigned char byte);
};

} // namespace fb
