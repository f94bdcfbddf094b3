#pragma once

#include "reportengine/ReportBandInstance.h"
#include "reportengine/ReportPage.h"

#include <QSize>

// Receives a generated report as it is laid out: begin once, then for each page its bands in
// printing order followed by the page itself, then finish. Outputs implement it, so a report can
// be written while it is laid out, holding one page at a time, or from a stored document.
class ReportSink
{
public:
    virtual ~ReportSink() = default;

    // Outputs written from the band instances alone are handed pages without items.
    virtual bool needsPageItems() const { return true; }
    virtual void begin(const QSize & /*pageSize*/) {}
    virtual void band(const ReportBandInstance & /*band*/) {}
    virtual void page(const ReportPage & /*page*/) {}
    // Completes the output; throws ReportExportError when it could not be written.
    virtual void finish() {}
};
