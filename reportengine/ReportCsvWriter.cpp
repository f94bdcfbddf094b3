#include "reportengine/ReportCsvWriter.h"

#include "reportengine/ReportBandTexts.h"

ReportCsvWriter::ReportCsvWriter(QIODevice &device, QChar separator) : m_out(device), m_separator(separator)
{
}

void ReportCsvWriter::band(const ReportBandInstance &band)
{
    if (band.kind == ReportBandKind::Detail) {
        writeRow(band);
    } else if (band.kind == ReportBandKind::ColumnHeader && !m_headingWritten) {
        writeRow(band);
        m_headingWritten = true;
    }
}

void ReportCsvWriter::writeRow(const ReportBandInstance &band)
{
    bool first = true;
    for (const ReportElementInstance *element : ReportBandTexts::inColumnOrder(band)) {
        if (!first)
            m_pending += m_separator;
        first = false;
        const QString &value = element->text;
        // Line breaks and tabs stay in the value; the quotes keep them from splitting the row.
        if (value.contains(m_separator) || value.contains(u'"') || value.contains(u'\n') ||
            value.contains(u'\r') || value.contains(u'\t')) {
            m_pending += u'"';
            m_pending += QString(value).replace(u'"', QStringLiteral("\"\""));
            m_pending += u'"';
        } else {
            m_pending += value;
        }
    }
    m_pending += QStringLiteral("\r\n");
    if (m_pending.size() >= 32 * 1024)
        flushPending();
}

void ReportCsvWriter::flushPending()
{
    m_out.write(m_encoder.encode(m_pending));
    m_pending.resize(0);
}

void ReportCsvWriter::finish()
{
    flushPending();
    m_out.flush();
}
