#include "reportengine/ReportPng.h"

#include <QtEndian>
#include <array>

namespace
{

// The CRC-32 that PNG chunks end with (ISO 3309, reflected, polynomial 0xEDB88320).
quint32 crc32(const QByteArray &bytes)
{
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes)
        crc = table[(crc ^ quint8(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

void appendChunk(QByteArray &png, const char *type, const QByteArray &data)
{
    const QByteArray typed = QByteArray(type, 4) + data;
    png += bigEndian(quint32(data.size())) + typed + bigEndian(crc32(typed));
}

} // namespace

QByteArray encodePng(const ReportImage &picture)
{
    const int channels = picture.hasAlpha() ? 4 : 3;
    QByteArray header = bigEndian(quint32(picture.width)) + bigEndian(quint32(picture.height));
    header += char(8);                     // bits per channel
    header += char(channels == 4 ? 6 : 2); // RGBA or RGB
    header += QByteArray(3, '\0');         // deflate, adaptive filtering, no interlace

    QByteArray rows;
    rows.reserve((qsizetype(picture.width) * channels + 1) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        rows += '\0'; // no filter
        const char *rgb = picture.rgb.constData() + qsizetype(y) * picture.width * 3;
        if (channels == 3) {
            rows.append(rgb, qsizetype(picture.width) * 3);
            continue;
        }
        const char *alpha = picture.alpha.constData() + qsizetype(y) * picture.width;
        for (int x = 0; x < picture.width; ++x) {
            rows.append(rgb + qsizetype(x) * 3, 3);
            rows += alpha[x];
        }
    }

    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    appendChunk(png, "IHDR", header);
    // qCompress puts the uncompressed size in front of a zlib stream; PNG wants the stream alone.
    appendChunk(png, "IDAT", qCompress(rows).mid(4));
    appendChunk(png, "IEND", QByteArray());
    return png;
}
