#pragma once

#include "reportengine/ReportBandKind.h"
#include "reportengine/ReportContext.h"
#include "reportengine/ReportPage.h"
#include "reportengine/ReportPageSetup.h"

#include <functional>

class ReportBand;
class ReportDataSource;
class ReportSink;

// One layout pass. A band that does not fit below what the page holds starts a new page, which
// first gets its page header and column header; a band that would not fit on an empty page
// either stays where it is, so the headers are never left alone at the foot of a page. Only the
// page being filled is held; it goes to the sink as soon as it is full.
class ReportLayout
{
public:
    // What a pass reads of its report: the page, the records, and the band of each kind (null for
    // a kind the report has not).
    struct Input {
        const ReportPageSetup &setup;
        const ReportDataSource *data;
        std::function<ReportBand *(ReportBandKind)> band;
    };
    ReportLayout(Input input, ReportSink &sink);

    void run();

private:
    void startPage(int record);
    void finishPage();
    void place(ReportBand *band, int record);
    void print(ReportBand *band, int record);

    Input m_input;
    ReportSink &m_sink;
    ReportPage m_page;
    int m_y = 0;
    int m_bottom = 0;
    bool m_pageHasBody = false;
};
