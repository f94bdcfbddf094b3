#include "reportengine/ReportJpeg.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace
{

// Qt's image reader refuses pictures over 256 MiB decoded; a header claiming more, read from a
// logo another program stored, must not make the report ask for gigabytes.
constexpr quint64 kLargestPixelCount = 256ull * 1024 * 1024 / 4;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf failed;
};

[[noreturn]] void failDecoding(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<ErrorManager *>(info->err)->failed, 1);
}

void stayQuiet(j_common_ptr)
{
    // Warnings (a truncated file, extra bytes) leave a picture all the same, as with Qt.
}

// RGB from Adobe's inverted CMYK, by Qt's formula.
void cmykToRgb(const JSAMPLE *in, char *out, JDIMENSION width)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4) {
        const int k = in[3];
        *out++ = char(k * in[0] / 255);
        *out++ = char(k * in[1] / 255);
        *out++ = char(k * in[2] / 255);
    }
}

// Decodes into rows, which the caller sized once the header was read; no C++ object is created
// between setjmp and a longjmp back to it.
bool decode(jpeg_decompress_struct &info, ErrorManager &errors, const QByteArray &jpeg, QByteArray &rgb,
            int &width, int &height)
{
    JSAMPLE *cmykRow = nullptr;
    if (setjmp(errors.failed)) {
        delete[] cmykRow;
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(jpeg.constData()), jpeg.size());
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (quint64(info.image_width) * info.image_height > kLargestPixelCount)
        return false;
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    rgb.resize(qsizetype(width) * height * 3);
    if (cmyk)
        cmykRow = new JSAMPLE[size_t(width) * 4];
    while (info.output_scanline < info.output_height) {
        char *out = rgb.data() + qsizetype(info.output_scanline) * width * 3;
        JSAMPROW row = cmyk ? cmykRow : reinterpret_cast<JSAMPROW>(out);
        if (jpeg_read_scanlines(&info, &row, 1) != 1)
            break;
        if (cmyk)
            cmykToRgb(cmykRow, out, info.output_width);
    }
    jpeg_finish_decompress(&info);
    delete[] cmykRow;
    return true;
}

} // namespace

std::optional<ReportImage> decodeJpeg(const QByteArray &jpeg)
{
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = failDecoding;
    errors.base.output_message = stayQuiet;
    ReportImage picture;
    QByteArray rgb;
    int width = 0;
    int height = 0;
    const bool decoded = !jpeg.isEmpty() && decode(info, errors, jpeg, rgb, width, height);
    jpeg_destroy_decompress(&info);
    if (!decoded || width <= 0 || height <= 0)
        return std::nullopt;
    picture.width = width;
    picture.height = height;
    picture.rgb = rgb;
    return picture;
}
