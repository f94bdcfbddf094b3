#pragma once

#include "reportengine/ReportTextElement.h"

// The page number, after a fixed text.
class ReportSystemData : public ReportTextElement
{
public:
    ReportSystemData(QString name, int left, int top, int width, ReportFont font, QString prefix);

protected:
    ReportElementKind kind() const override { return ReportElementKind::SystemData; }
    QString resolveText(const ReportContext &context) const override;

private:
    QString m_prefix;
};
