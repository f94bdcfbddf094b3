#include "common/PasswordEncoding.h"

#include "codec/Win1252.h"

namespace
{

QString shifted(QString text, int delta)
{
    for (QChar &c : text)
        c = QChar(char16_t((c.unicode() + delta) & 0xFFFF));
    return text;
}

} // namespace

QString Codificar(QString text, int key)
{
    return shifted(std::move(text), key);
}

QString Decodificar(QString text, int key)
{
    return shifted(std::move(text), -key);
}

UnstorableEncoding::UnstorableEncoding()
    : std::runtime_error(
          "Atenção, a senha ou o nível contém caracteres que não podem ser gravados no banco de "
          "dados.")
{
}

QString UnstorableEncoding::text() const
{
    return QString::fromUtf8(what());
}

QString encodedToColumn(const QString &encoded)
{
    QString stored(encoded.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        const char16_t unit = encoded.at(i).unicode();
        if (unit > 0xFF)
            throw UnstorableEncoding();
        stored[i] = QChar(fb::Win1252::charFor(static_cast<unsigned char>(unit)));
    }
    return stored;
}

QString encodedFromColumn(const QString &stored)
{
    QString encoded(stored.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const int byte = fb::Win1252::byteFor(stored.at(i).unicode());
        encoded[i] = QChar(char16_t(byte < 0 ? stored.at(i).unicode() : byte));
    }
    return encoded;
}
