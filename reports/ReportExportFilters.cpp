#include "reports/ReportExportFilters.h"

ReportExportFilters::ReportExportFilters()
{
    RptCSVFilter1.setSeparator(u';');
}
