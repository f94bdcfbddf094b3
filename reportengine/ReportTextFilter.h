#pragma once

#include "reportengine/ReportExportFilter.h"

class ReportTextFilter : public ReportExportFilter
{
public:
    ReportTextFilter() = default;

    QString description() const override { return QStringLiteral("Texto simples"); }
    QString extension() const override { return QStringLiteral("TXT"); }
    std::unique_ptr<ReportSink> createWriter(QIODevice &device) const override;
};
