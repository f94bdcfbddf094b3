#include "reportengine/ReportPdfWriter.h"

#include "reportengine/ReportPdfContent.h"
#include "reportengine/ReportUnits.h"

namespace
{

constexpr int kCatalog = 1;
constexpr int kPages = 2;
constexpr int kRegularFont = 3;
constexpr int kBoldFont = 4;

QByteArray points(int hundredths)
{
    return QByteArray::number(ReportUnits::toPoints(hundredths), 'f', 2);
}

QByteArray pdfDate(const QDateTime &moment)
{
    const int offset = moment.offsetFromUtc() / 60;
    const QByteArray zone =
        offset == 0
            ? QByteArray("Z")
            : (offset < 0 ? "-" : "+") + QByteArray::number(std::abs(offset) / 60).rightJustified(2, '0') +
                  '\'' + QByteArray::number(std::abs(offset) % 60).rightJustified(2, '0') + '\'';
    return "D:" + moment.toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + zone;
}

QByteArray deflate(const QByteArray &data)
{
    // qCompress puts the uncompressed size in front of a zlib stream; PDF wants the stream alone.
    return qCompress(data).mid(4);
}

size_t pictureKey(const ReportImage &picture)
{
    return qHash(picture.rgb, size_t(picture.width));
}

} // namespace

ReportPdfWriter::ReportPdfWriter(QIODevice &device, QDateTime created)
    : m_out(device), m_created(std::move(created))
{
}

int ReportPdfWriter::reserveObject()
{
    m_offsets.push_back(-1);
    return int(m_offsets.size());
}

void ReportPdfWriter::beginObject(int object)
{
    m_offsets[std::size_t(object - 1)] = m_out.position();
    m_out.write(QByteArray::number(object) + " 0 obj\n");
}

void ReportPdfWriter::writeStreamObject(int object, const QByteArray &dictionary, const QByteArray &data)
{
    beginObject(object);
    m_out.write("<< " + dictionary + " /Length " + QByteArray::number(data.size()) + " >>\nstream\n");
    m_out.write(data);
    m_out.write("\nendstream\nendobj\n");
}

void ReportPdfWriter::begin(const QSize &pageSize)
{
    m_pageHeight = pageSize.height();
    for (int object = kCatalog; object <= kBoldFont; ++object)
        reserveObject();
    m_out.write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    beginObject(kCatalog);
    m_out.write("<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    beginObject(kRegularFont);
    m_out.write(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>\nendobj\n");
    beginObject(kBoldFont);
    m_out.write(
        "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica-Bold /Encoding /WinAnsiEncoding >>\nendobj\n");
}

int ReportPdfWriter::pictureObject(const ReportImage &picture)
{
    // The embedded copies keep the pixels alive, so their address names them while this writer lives.
    if (const auto known = m_pictureObjects.constFind(picture.rgb.constData());
        known != m_pictureObjects.cend())
        return *known;
    const size_t key = pictureKey(picture);
    for (auto it = m_pictures.constFind(key); it != m_pictures.cend() && it.key() == key; ++it) {
        if (it->picture == picture) {
            m_pictureObjects.insert(picture.rgb.constData(), it->object);
            return it->object;
        }
    }
    QByteArray dictionary = "/Type /XObject /Subtype /Image /Width " + QByteArray::number(picture.width) +
                            " /Height " + QByteArray::number(picture.height) +
                            " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /FlateDecode";
    if (picture.hasAlpha()) {
        const int mask = reserveObject();
        writeStreamObject(mask,
                          "/Type /XObject /Subtype /Image /Width " + QByteArray::number(picture.width) +
                              " /Height " + QByteArray::number(picture.height) +
                              " /ColorSpace /DeviceGray /BitsPerComponent 8 /Filter /FlateDecode",
                          deflate(picture.alpha));
        dictionary += " /SMask " + QByteArray::number(mask) + " 0 R";
    }
    const int object = reserveObject();
    writeStreamObject(object, dictionary, deflate(picture.rgb));
    m_pictures.insert(key, Embedded{picture, object});
    m_pictureObjects.insert(picture.rgb.constData(), object);
    return object;
}

QByteArray ReportPdfWriter::content(const ReportPage &page, QByteArray &xobjects)
{
    ReportPdfContent content(page.size.height());
    for (const ReportPageItem &item : page.items) {
        if (const auto *rect = std::get_if<ReportPageRect>(&item)) {
            content.rect(rect->rect, rect->colour);
        } else if (const auto *line = std::get_if<ReportPageLine>(&item)) {
            content.horizontalLine(line->from, line->to, line->width);
        } else if (const auto *text = std::get_if<ReportPageText>(&item)) {
            content.text(text->baselineStart, text->text, text->font);
        } else if (const auto *picture = std::get_if<ReportPagePicture>(&item)) {
            const QByteArray name = "/Im" + QByteArray::number(pictureObject(picture->picture));
            if (!xobjects.contains(name + ' '))
                xobjects += name + ' ' + name.mid(3) + " 0 R ";
            content.picture(picture->rect, name);
        }
    }
    return content.bytes();
}

void ReportPdfWriter::page(const ReportPage &page)
{
    QByteArray xobjects;
    const QByteArray data = content(page, xobjects);
    const int contents = reserveObject();
    writeStreamObject(contents, QByteArray(), data);
    const int object = reserveObject();
    beginObject(object);
    m_out.write("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + points(page.size.width()) + ' ' +
                points(page.size.height()) +
                "] /Resources << /ProcSet [/PDF /Text /ImageC] /Font << /F1 3 0 R /F2 4 0 R >>" +
                (xobjects.isEmpty() ? QByteArray() : " /XObject << " + xobjects + ">>") + " >> /Contents " +
                QByteArray::number(contents) + " 0 R >>\nendobj\n");
    m_pages.push_back(object);
}

void ReportPdfWriter::finish()
{
    beginObject(kPages);
    m_out.write("<< /Type /Pages /Count " + QByteArray::number(qsizetype(m_pages.size())) + " /Kids [");
    for (const int page : m_pages)
        m_out.write(QByteArray::number(page) + " 0 R ");
    m_out.write("] >>\nendobj\n");
    const int info = reserveObject();
    beginObject(info);
    m_out.write("<< /Producer (Estocarium) /CreationDate (" + pdfDate(m_created) + ") >>\nendobj\n");

    const qint64 xref = m_out.position();
    m_out.write("xref\n0 " + QByteArray::number(qsizetype(m_offsets.size()) + 1) + "\n0000000000 65535 f \n");
    for (const qint64 offset : m_offsets)
        m_out.write(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n");
    m_out.write("trailer\n<< /Size " + QByteArray::number(qsizetype(m_offsets.size()) + 1) +
                " /Root 1 0 R /Info " + QByteArray::number(info) + " 0 R >>\nstartxref\n" +
                QByteArray::number(xref) + "\n%%EOF\n");
    m_out.flush();
}
