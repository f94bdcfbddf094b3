#include "reportengine/ReportBand.h"

ReportBand::ReportBand(ReportBandKind kind, int height) : m_kind(kind), m_height(height) {}

ReportBandInstance ReportBand::print(const ReportContext &context, const QRect &area)
{
    if (m_beforePrint)
        m_beforePrint(*this);
    ReportBandInstance instance;
    instance.kind = m_kind;
    instance.record = context.record;
    instance.page = context.page;
    instance.area = area;
    instance.colour = m_colour;
    instance.elements.reserve(m_elements.size());
    for (const auto &element : m_elements)
        element->resolve(context, instance.elements);
    return instance;
}
