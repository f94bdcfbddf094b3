#pragma once

#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportHtmlFilter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportTextFilter.h"

// The program's export formats: while an instance exists (the main window holds one for its
// whole life) every report preview offers them.
struct ReportExportFilters {
    ReportExportFilters();

    ReportTextFilter RptTextFilter1;
    ReportCsvFilter RptCSVFilter1;
    ReportPdfFilter RptPDFFilter1;
    ReportHtmlFilter RptHTMLFilter1;
};
