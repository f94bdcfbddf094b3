#pragma once

#include "reportengine/ReportBand.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportPageSetup.h"

#include <array>
#include <functional>
#include <memory>

class ReportDataSource;
class ReportSink;

// A banded report bound to one record set: page header (on every page, the first included),
// column header under it on every page, one detail band per record in record-set order, and a
// summary once after the last record. One column.
class Report
{
public:
    using BeforeGenerate = std::function<void(Report &report)>;

    Report() = default;
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    ReportPageSetup &pageSetup() { return m_pageSetup; }
    const ReportPageSetup &pageSetup() const { return m_pageSetup; }

    // Not owned; it must outlive every generation.
    void setDataSource(const ReportDataSource *source) { m_dataSource = source; }

    // The report owns its bands, one of each kind: adding a kind again replaces that band and
    // destroys its elements. A kind without a band prints nothing.
    ReportBand *addBand(ReportBandKind kind, int height);
    ReportBand *band(ReportBandKind kind) const;

    void setBeforeGenerate(BeforeGenerate handler) { m_beforeGenerate = std::move(handler); }

    // Runs the before-generation notification, then lays the report out into sink, page by page.
    // Whatever a notification or the sink throws leaves here unchanged.
    void generate(ReportSink &sink);
    std::shared_ptr<const ReportDocument> generate();

private:
    ReportPageSetup m_pageSetup;
    const ReportDataSource *m_dataSource = nullptr;
    std::array<std::unique_ptr<ReportBand>, 4> m_bands;
    BeforeGenerate m_beforeGenerate;
};
