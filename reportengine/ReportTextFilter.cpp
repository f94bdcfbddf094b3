#include "reportengine/ReportTextFilter.h"

#include "reportengine/ReportTextWriter.h"

std::unique_ptr<ReportSink> ReportTextFilter::createWriter(QIODevice &device) const
{
    return std::make_unique<ReportTextWriter>(device);
}
