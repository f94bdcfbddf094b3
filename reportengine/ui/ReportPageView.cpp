#include "reportengine/ui/ReportPageView.h"

#include "reportengine/ReportPage.h"
#include "reportengine/ReportPainter.h"

#include <QPainter>

ReportPageView::ReportPageView(QWidget *parent) : QWidget(parent) {}

void ReportPageView::setPage(const ReportPage *page)
{
    m_page = page;
    resize(sizeHint());
    update();
}

void ReportPageView::setZoom(double zoom)
{
    m_zoom = zoom;
    resize(sizeHint());
    update();
}

QSize ReportPageView::sizeHint() const
{
    if (!m_page)
        return {};
    const double pixelsPerHundredth = logicalDpiX() / 2540.0 * m_zoom;
    return (QSizeF(m_page->size) * pixelsPerHundredth).toSize();
}

void ReportPageView::paintEvent(QPaintEvent *)
{
    if (!m_page)
        return;
    QPainter painter(this);
    ReportPainter::paint(painter, *m_page, QRectF(rect()));
}
