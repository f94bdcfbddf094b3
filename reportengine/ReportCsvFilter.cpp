#include "reportengine/ReportCsvFilter.h"

#include "reportengine/ReportCsvWriter.h"

std::unique_ptr<ReportSink> ReportCsvFilter::createWriter(QIODevice &device) const
{
    return std::make_unique<ReportCsvWriter>(device, m_separator);
}
