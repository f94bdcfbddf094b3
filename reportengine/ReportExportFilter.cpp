#include "reportengine/ReportExportFilter.h"

#include "reportengine/FileWriteFailure.h"
#include "reportengine/Report.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportExportError.h"

#include <QSaveFile>
#include <cerrno>
#include <functional>

namespace
{

void writeFile(const ReportExportFilter &filter, const QString &fileName,
               const std::function<void(ReportSink &)> &feed)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        const int systemError = errno;
        throw ReportExportError(QStringLiteral("Não foi possível criar o arquivo %1.").arg(fileName),
                                fileWriteFailure(fileName, systemError));
    }
    const std::unique_ptr<ReportSink> writer = filter.createWriter(file);
    feed(*writer);
    // Nothing is left at the path but the whole file or what was there before.
    if (!file.commit()) {
        const int systemError = errno;
        throw ReportExportError(QStringLiteral("Não foi possível gravar o arquivo %1.").arg(fileName),
                                fileWriteFailure(fileName, systemError));
    }
}

} // namespace

void ReportExportFilter::save(const ReportDocument &document, const QString &fileName) const
{
    writeFile(*this, fileName, [&](ReportSink &writer) { document.replay(writer); });
}

void ReportExportFilter::save(Report &report, const QString &fileName) const
{
    writeFile(*this, fileName, [&](ReportSink &writer) { report.generate(writer); });
}
