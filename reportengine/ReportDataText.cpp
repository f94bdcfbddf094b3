#include "reportengine/ReportDataText.h"

#include "reportengine/ReportDataSource.h"

ReportDataText::ReportDataText(QString name, int left, int top, int width, ReportFont font, QString field)
    : ReportTextElement(std::move(name), left, top, width, font), m_field(std::move(field))
{
}

QString ReportDataText::resolveText(const ReportContext &context) const
{
    if (!context.data || context.record < 0)
        return {};
    return context.data->value(context.record, m_field).toString();
}
