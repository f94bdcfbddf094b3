#include "reportengine/ReportImageConversion.h"

namespace
{

QByteArray rows(const QImage &image, int bytesPerPixel)
{
    QByteArray bytes;
    const qsizetype rowBytes = qsizetype(image.width()) * bytesPerPixel;
    bytes.reserve(rowBytes * image.height());
    for (int y = 0; y < image.height(); ++y)
        bytes.append(reinterpret_cast<const char *>(image.constScanLine(y)), rowBytes);
    return bytes;
}

} // namespace

ReportImage toReportImage(const QImage &image)
{
    ReportImage picture;
    if (image.isNull())
        return picture;
    picture.width = image.width();
    picture.height = image.height();
    picture.rgb = rows(image.convertToFormat(QImage::Format_RGB888), 3);
    if (image.hasAlphaChannel())
        picture.alpha = rows(image.convertToFormat(QImage::Format_Alpha8), 1);
    return picture;
}

QImage toQImage(const ReportImage &picture)
{
    if (picture.isNull())
        return QImage();
    const auto *rgb = reinterpret_cast<const uchar *>(picture.rgb.constData());
    if (!picture.hasAlpha())
        return QImage(rgb, picture.width, picture.height, picture.width * 3, QImage::Format_RGB888).copy();
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height; ++y) {
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uchar *in = rgb + qsizetype(y) * picture.width * 3;
        const auto *alpha =
            reinterpret_cast<const uchar *>(picture.alpha.constData()) + qsizetype(y) * picture.width;
        for (int x = 0; x < picture.width; ++x, in += 3)
            out[x] = qRgba(in[0], in[1], in[2], alpha[x]);
    }
    return image;
}
