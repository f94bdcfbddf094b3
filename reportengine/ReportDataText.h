#pragma once

#include "reportengine/ReportTextElement.h"

// The value of one field of the report's record set, for the record at hand.
class ReportDataText : public ReportTextElement
{
public:
    ReportDataText(QString name, int left, int top, int width, ReportFont font, QString field);

protected:
    ReportElementKind kind() const override { return ReportElementKind::DataText; }
    QString resolveText(const ReportContext &context) const override;

private:
    QString m_field;
};
