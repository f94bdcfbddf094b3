#include "reportengine/ReportShape.h"

ReportShape::ReportShape(QString name, QRect frame, int lineWidth)
    : ReportElement(std::move(name), frame), m_lineWidth(lineWidth)
{
}

void ReportShape::resolve(const ReportContext &, std::vector<ReportElementInstance> &out) const
{
    ReportElementInstance instance;
    instance.kind = ReportElementKind::Shape;
    instance.name = name();
    instance.frame = frame();
    instance.lineWidth = m_lineWidth;
    out.push_back(std::move(instance));
}
