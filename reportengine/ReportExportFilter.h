#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QIODevice;
class Report;
class ReportDocument;
class ReportSink;

// An export format.
class ReportExportFilter
{
public:
    virtual ~ReportExportFilter() = default;
    ReportExportFilter(const ReportExportFilter &) = delete;
    ReportExportFilter &operator=(const ReportExportFilter &) = delete;

    virtual QString description() const = 0; // shown in the save dialog
    virtual QString extension() const = 0;   // upper case, without the dot
    // Every extension that names the format, upper case, the one above first.
    virtual QStringList extensions() const { return {extension()}; }
    virtual std::unique_ptr<ReportSink> createWriter(QIODevice &device) const = 0;

    // Writes a generated report to fileName, or a report while it is generated; the file is
    // replaced only when the whole export succeeded. Throws ReportExportError.
    void save(const ReportDocument &document, const QString &fileName) const;
    void save(Report &report, const QString &fileName) const;

protected:
    ReportExportFilter() = default;
};
