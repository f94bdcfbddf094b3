#pragma once

#include "reportengine/ReportOutputStream.h"
#include "reportengine/ReportSink.h"

#include <QStringEncoder>

class QIODevice;

// One heading row (the texts of the first column header), then one row per detail band, values
// in column order. A value holding the separator, a quote or a line break is quoted.
// Text is in the workstation's code page.
class ReportCsvWriter : public ReportSink
{
public:
    ReportCsvWriter(QIODevice &device, QChar separator);

    bool needsPageItems() const override { return false; }

    void band(const ReportBandInstance &band) override;
    void finish() override;

private:
    void writeRow(const ReportBandInstance &band);
    void flushPending();

    ReportOutputStream m_out;
    QStringEncoder m_encoder{QStringConverter::System};
    QChar m_separator;
    bool m_headingWritten = false;
    QString m_pending; // rows not yet encoded
};
