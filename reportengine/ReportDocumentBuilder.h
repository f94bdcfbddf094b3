#pragma once

#include "reportengine/ReportDocument.h"

// Collects a generation into a document.
class ReportDocumentBuilder : public ReportSink
{
public:
    void begin(const QSize &pageSize) override { m_pageSize = pageSize; }
    void band(const ReportBandInstance &band) override { m_bands.push_back(band); }
    void page(const ReportPage &page) override { m_pages.push_back(page); }

    std::shared_ptr<const ReportDocument> take();

private:
    QSize m_pageSize;
    std::vector<ReportBandInstance> m_bands;
    std::vector<ReportPage> m_pages;
};
