#pragma once

#include "reportengine/ReportExportFilter.h"

class ReportPdfFilter : public ReportExportFilter
{
public:
    ReportPdfFilter() = default;

    QString description() const override { return QStringLiteral("Documento PDF"); }
    QString extension() const override { return QStringLiteral("PDF"); }
    std::unique_ptr<ReportSink> createWriter(QIODevice &device) const override;
};
