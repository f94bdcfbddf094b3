#include "reports/ReportExportFilters.h"

ReportExportFilters::ReportExportFilters()
{
    RptCSVFilter1.setSeparator(u';');
}

std::vector<const ReportExportFilter *> ReportExportFilters::formats() const
{
    return {&RptTextFilter1, &RptCSVFilter1, &RptPDFFilter1, &RptHTMLFilter1};
}
