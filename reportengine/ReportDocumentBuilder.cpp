#include "reportengine/ReportDocumentBuilder.h"

std::shared_ptr<const ReportDocument> ReportDocumentBuilder::take()
{
    return std::make_shared<const ReportDocument>(m_pageSize, std::move(m_bands), std::move(m_pages));
}
