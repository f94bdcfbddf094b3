#include "reportengine/Report.h"

#include "reportengine/ReportDocumentBuilder.h"
#include "reportengine/ReportLayout.h"

ReportBand *Report::addBand(ReportBandKind kind, int height)
{
    auto &slot = m_bands[std::size_t(kind)];
    slot = std::make_unique<ReportBand>(kind, height);
    return slot.get();
}

ReportBand *Report::band(ReportBandKind kind) const
{
    return m_bands[std::size_t(kind)].get();
}

void Report::generate(ReportSink &sink)
{
    if (m_beforeGenerate)
        m_beforeGenerate(*this);
    ReportLayout({m_pageSetup, m_dataSource, [this](ReportBandKind kind) { return band(kind); }}, sink).run();
}

std::shared_ptr<const ReportDocument> Report::generate()
{
    ReportDocumentBuilder builder;
    generate(builder);
    return builder.take();
}
