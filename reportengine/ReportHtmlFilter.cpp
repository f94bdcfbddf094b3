#include "reportengine/ReportHtmlFilter.h"

#include "reportengine/ReportHtmlWriter.h"

std::unique_ptr<ReportSink> ReportHtmlFilter::createWriter(QIODevice &device) const
{
    return std::make_unique<ReportHtmlWriter>(device);
}
