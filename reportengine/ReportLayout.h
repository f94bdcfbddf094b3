#pragma once

#include "reportengine/ReportContext.h"
#include "reportengine/ReportPage.h"

class Report;
class ReportBand;
class ReportSink;

// One layout pass. A band that does not fit below what the page holds starts a new page, which
// first gets its page header and column header; a band that would not fit on an empty page
// either stays where it is, so the headers are never left alone at the foot of a page. Only the
// page being filled is held; it goes to the sink as soon as it is full.
class ReportLayout
{
public:
    ReportLayout(Report &report, ReportSink &sink);

    void run();

private:
    void startPage(int record);
    void finishPage();
    void place(ReportBand *band, int record);
    void print(ReportBand *band, int record);

    Report &m_report;
    ReportSink &m_sink;
    ReportPage m_page;
    int m_y = 0;
    int m_bottom = 0;
    bool m_pageHasBody = false;
};
