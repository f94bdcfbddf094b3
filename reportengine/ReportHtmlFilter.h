#pragma once

#include "reportengine/ReportExportFilter.h"

class ReportHtmlFilter : public ReportExportFilter
{
public:
    ReportHtmlFilter() = default;

    QString description() const override { return QStringLiteral("Página HTML"); }
    QString extension() const override { return QStringLiteral("HTM"); }
    QStringList extensions() const override { return {QStringLiteral("HTM"), QStringLiteral("HTML")}; }
    std::unique_ptr<ReportSink> createWriter(QIODevice &device) const override;
};
