#include "reportengine/ReportLayout.h"

#include "reportengine/Report.h"
#include "reportengine/ReportDataSource.h"
#include "reportengine/ReportPageBuilder.h"
#include "reportengine/ReportSink.h"

ReportLayout::ReportLayout(Report &report, ReportSink &sink) : m_report(report), m_sink(sink)
{
    m_page.number = 0;
}

void ReportLayout::run()
{
    const ReportPageSetup &setup = m_report.pageSetup();
    m_page.size = setup.pageSize();
    m_bottom = m_page.size.height() - setup.margins.bottom();
    const ReportDataSource *data = m_report.dataSource();
    const int rows = data ? data->rowCount() : 0;

    m_sink.begin(m_page.size);
    startPage(rows > 0 ? 0 : -1);
    for (int row = 0; row < rows; ++row)
        place(m_report.band(ReportBandKind::Detail), row);
    place(m_report.band(ReportBandKind::Summary), rows - 1);
    finishPage();
    m_sink.finish();
}

void ReportLayout::startPage(int record)
{
    m_page.number += 1;
    m_page.items.clear();
    m_y = m_report.pageSetup().margins.top();
    m_pageHasBody = false;
    print(m_report.band(ReportBandKind::PageHeader), record);
    print(m_report.band(ReportBandKind::ColumnHeader), record);
}

void ReportLayout::finishPage()
{
    m_sink.page(m_page);
}

void ReportLayout::place(ReportBand *band, int record)
{
    if (!band)
        return;
    if (m_pageHasBody && m_y + band->height() > m_bottom) {
        finishPage();
        startPage(record);
    }
    print(band, record);
    m_pageHasBody = true;
}

void ReportLayout::print(ReportBand *band, int record)
{
    if (!band)
        return;
    const ReportPageSetup &setup = m_report.pageSetup();
    const QRect area(setup.margins.left(), m_y, setup.bandWidth(), band->height());
    const ReportBandInstance instance =
        band->print(ReportContext{m_report.dataSource(), record, m_page.number}, area);
    m_sink.band(instance);
    if (m_sink.needsPageItems())
        ReportPageBuilder::appendBand(m_page, instance);
    m_y += band->height();
}
