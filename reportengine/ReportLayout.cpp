#include "reportengine/ReportLayout.h"

#include "reportengine/ReportBand.h"
#include "reportengine/ReportDataSource.h"
#include "reportengine/ReportPageBuilder.h"
#include "reportengine/ReportSink.h"

ReportLayout::ReportLayout(Input input, ReportSink &sink) : m_input(std::move(input)), m_sink(sink)
{
    m_page.number = 0;
}

void ReportLayout::run()
{
    const ReportPageSetup &setup = m_input.setup;
    m_page.size = setup.pageSize();
    m_bottom = m_page.size.height() - setup.margins.bottom();
    const ReportDataSource *data = m_input.data;
    const int rows = data ? data->rowCount() : 0;

    m_sink.begin(m_page.size);
    startPage(rows > 0 ? 0 : -1);
    for (int row = 0; row < rows; ++row)
        place(m_input.band(ReportBandKind::Detail), row);
    place(m_input.band(ReportBandKind::Summary), rows - 1);
    finishPage();
    m_sink.finish();
}

void ReportLayout::startPage(int record)
{
    m_page.number += 1;
    m_page.items.clear();
    m_y = m_input.setup.margins.top();
    m_pageHasBody = false;
    print(m_input.band(ReportBandKind::PageHeader), record);
    print(m_input.band(ReportBandKind::ColumnHeader), record);
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
    const ReportPageSetup &setup = m_input.setup;
    const QRect area(setup.margins.left(), m_y, setup.bandWidth(), band->height());
    const ReportBandInstance instance = band->print(ReportContext{m_input.data, record, m_page.number}, area);
    m_sink.band(instance);
    if (m_sink.needsPageItems())
        ReportPageBuilder::appendBand(m_page, instance);
    m_y += band->height();
}
