#include "reportengine/ReportPdfFilter.h"

#include "reportengine/ReportPdfWriter.h"

std::unique_ptr<ReportSink> ReportPdfFilter::createWriter(QIODevice &device) const
{
    return std::make_unique<ReportPdfWriter>(device);
}
