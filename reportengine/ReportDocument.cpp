#include "reportengine/ReportDocument.h"

ReportDocument::ReportDocument(QSize pageSize, std::vector<ReportBandInstance> bands,
                               std::vector<ReportPage> pages)
    : m_pageSize(pageSize), m_bands(std::move(bands)), m_pages(std::move(pages))
{
}

void ReportDocument::replay(ReportSink &sink) const
{
    sink.begin(m_pageSize);
    auto band = m_bands.cbegin();
    for (const ReportPage &page : m_pages) {
        for (; band != m_bands.cend() && band->page == page.number; ++band)
            sink.band(*band);
        sink.page(page);
    }
    sink.finish();
}
