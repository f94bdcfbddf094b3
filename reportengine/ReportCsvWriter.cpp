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
    QStringList values;
    for (const ReportElementInstance *element : ReportBandTexts::inColumnOrder(band)) {
        QString value = element->text;
        if (value.contains(m_separator) || value.contains(u'"') || value.contains(u'\n') ||
            value.contains(u'\r'))
            value = u'"' + value.replace(u'"', QStringLiteral("\"\"")) + u'"';
        values << value;
    }
    m_out.write(m_encoder.encode(values.join(m_separator) + QStringLiteral("\r\n")));
}

void ReportCsvWriter::finish()
{
    m_out.flush();
}
