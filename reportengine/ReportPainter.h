#pragma once

#include "reportengine/ReportPage.h"

#include <QRectF>

class QPainter;

// Draws a page with QPainter, for the preview, the printer and page images alike.
namespace ReportPainter
{

// Maps the whole page onto target, in the painter's coordinates.
void paint(QPainter &painter, const ReportPage &page, const QRectF &target);

} // namespace ReportPainter
