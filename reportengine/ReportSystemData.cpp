#include "reportengine/ReportSystemData.h"

ReportSystemData::ReportSystemData(QString name, int left, int top, int width, ReportFont font,
                                   QString prefix)
    : ReportTextElement(std::move(name), left, top, width, font), m_prefix(std::move(prefix))
{
}

QString ReportSystemData::resolveText(const ReportContext &context) const
{
    return m_prefix + QString::number(context.page);
}
