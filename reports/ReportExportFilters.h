#pragma once

#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportHtmlFilter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportTextFilter.h"

#include <vector>

// The program's export formats, which the main window holds for its whole life and the report
// previews and estocarium-db write.
struct ReportExportFilters {
    ReportExportFilters();
    ReportExportFilters(const ReportExportFilters &) = delete;
    ReportExportFilters &operator=(const ReportExportFilters &) = delete;

    // Text, CSV, PDF and HTML, in that order.
    std::vector<const ReportExportFilter *> formats() const;

    ReportTextFilter RptTextFilter1;
    ReportCsvFilter RptCSVFilter1;
    ReportPdfFilter RptPDFFilter1;
    ReportHtmlFilter RptHTMLFilter1;
};
