#pragma once

#include "reportengine/ReportImage.h"
#include "reportengine/ReportOutputStream.h"
#include "reportengine/ReportSink.h"

#include <QDateTime>
#include <QHash>
#include <vector>

class QIODevice;

// Writes pages as PDF while they arrive: each page's objects are written at once and only their
// offsets are kept. Texts are Helvetica with WinAnsi (Windows-1252) 8-bit encoding; content
// streams are not compressed; the creation date and time go into the document information.
// Pictures are embedded once however many pages show them.
class ReportPdfWriter : public ReportSink
{
public:
    explicit ReportPdfWriter(QIODevice &device, QDateTime created = QDateTime::currentDateTime());

    void begin(const QSize &pageSize) override;
    void page(const ReportPage &page) override;
    void finish() override;

private:
    struct Embedded {
        ReportImage picture;
        int object;
    };

    int reserveObject();
    void beginObject(int object);
    void writeStreamObject(int object, const QByteArray &dictionary, const QByteArray &data);
    int pictureObject(const ReportImage &picture);
    QByteArray content(const ReportPage &page, QByteArray &xobjects);

    ReportOutputStream m_out;
    QDateTime m_created;
    double m_pageHeight = 0;
    std::vector<qint64> m_offsets; // by object number - 1
    std::vector<int> m_pages;
    QMultiHash<size_t, Embedded> m_pictures;   // by content
    QHash<const char *, int> m_pictureObjects; // by the shared pixels, seen before
};
