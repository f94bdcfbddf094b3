#pragma once

#include "reportengine/ReportImage.h"
#include "reportengine/ReportOutputStream.h"
#include "reportengine/ReportSink.h"

#include <QHash>

class QIODevice;

// The whole report as one HTML page: each page a sheet of paper, each band placed in millimetres
// with its colours, every text escaped, no links. Pictures are inline data and each distinct
// picture is written once, then reused wherever it prints. UTF-8.
class ReportHtmlWriter : public ReportSink
{
public:
    explicit ReportHtmlWriter(QIODevice &device);

    bool needsPageItems() const override { return false; }

    void begin(const QSize &pageSize) override;
    void band(const ReportBandInstance &band) override;
    void finish() override;

private:
    struct Embedded {
        ReportImage picture;
        QString id;
    };

    QString pictureId(const ReportImage &picture);
    void write(const QString &text);

    ReportOutputStream m_out;
    QSize m_pageSize;
    int m_page = 0;
    QMultiHash<size_t, Embedded> m_pictures;
};
