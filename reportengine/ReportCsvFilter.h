#pragma once

#include "reportengine/ReportExportFilter.h"

#include <QChar>

class ReportCsvFilter : public ReportExportFilter
{
public:
    ReportCsvFilter() = default;

    void setSeparator(QChar separator) { m_separator = separator; }

    QString description() const override { return QStringLiteral("Valores separados (CSV)"); }
    QString extension() const override { return QStringLiteral("CSV"); }
    std::unique_ptr<ReportSink> createWriter(QIODevice &device) const override;

private:
    QChar m_separator = u',';
};
