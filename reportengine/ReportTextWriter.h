#pragma once

#include "reportengine/ReportOutputStream.h"
#include "reportengine/ReportSink.h"

#include <QStringEncoder>

class QIODevice;

// A plain listing: the first page header and column header, every detail, the summary. Elements
// keep their columns on a grid of one character per 2 mm; lines are drawn with '-'. The listing
// has no pages, so page numbers and pictures are left out. Text is in the workstation's code page.
class ReportTextWriter : public ReportSink
{
public:
    explicit ReportTextWriter(QIODevice &device);

    bool needsPageItems() const override { return false; }

    void band(const ReportBandInstance &band) override;
    void finish() override;

private:
    ReportOutputStream m_out;
    QStringEncoder m_encoder{QStringConverter::System};
    bool m_pageHeaderWritten = false;
    bool m_columnHeaderWritten = false;
};
