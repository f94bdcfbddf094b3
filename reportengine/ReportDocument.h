#pragma once

#include "reportengine/ReportSink.h"

#include <memory>
#include <vector>

// A generated report, kept whole: what the preview shows, prints and saves. It never changes
// once built, so every output of one generation gives the same pages.
class ReportDocument
{
public:
    ReportDocument(QSize pageSize, std::vector<ReportBandInstance> bands, std::vector<ReportPage> pages);

    QSize pageSize() const { return m_pageSize; }
    const std::vector<ReportBandInstance> &bands() const { return m_bands; }
    const std::vector<ReportPage> &pages() const { return m_pages; }

    // Feeds the document to an output in the order in which layout produced it.
    void replay(ReportSink &sink) const;

private:
    QSize m_pageSize;
    std::vector<ReportBandInstance> m_bands;
    std::vector<ReportPage> m_pages;
};
