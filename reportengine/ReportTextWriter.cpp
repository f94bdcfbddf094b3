#include "reportengine/ReportTextWriter.h"

#include "reportengine/ReportOneLine.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace
{

constexpr int kColumnWidth = 200; // hundredths of a millimetre per character

int columns(int hundredths)
{
    return (hundredths + kColumnWidth / 2) / kColumnWidth;
}

// Elements whose tops round to the same millimetre share a line.
int lineOf(int top)
{
    return (top + 50) / 100;
}

QString aligned(const ReportElementInstance &element)
{
    const QString text = reportOneLine(element.text);
    const int width = columns(element.frame.width());
    const int spare = width - int(text.size());
    if (spare <= 0 || element.alignment == ReportAlignment::Left)
        return text;
    const int before = element.alignment == ReportAlignment::Right ? spare : spare / 2;
    return QString(before, u' ') + text;
}

// Elements side by side share a line; lines follow each other from the top of the band.
QStringList bandLines(const ReportBandInstance &band)
{
    std::map<int, std::vector<const ReportElementInstance *>> rows;
    for (const ReportElementInstance &element : band.elements) {
        const bool listed = element.kind == ReportElementKind::Shape ||
                            (element.isText() && element.kind != ReportElementKind::SystemData);
        if (listed)
            rows[lineOf(element.frame.top())].push_back(&element);
    }
    QStringList lines;
    for (auto &[top, elements] : rows) {
        std::stable_sort(elements.begin(), elements.end(),
                         [](const auto *a, const auto *b) { return a->frame.left() < b->frame.left(); });
        QString line;
        for (const ReportElementInstance *element : elements) {
            const int start = columns(element->frame.left());
            if (line.size() > start)
                line += u' ';
            line = line.leftJustified(start, u' ');
            line += element->kind == ReportElementKind::Shape ? QString(columns(element->frame.width()), u'-')
                                                              : aligned(*element);
        }
        qsizetype end = line.size();
        while (end > 0 && line.at(end - 1).isSpace())
            --end;
        line.truncate(end);
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

} // namespace

ReportTextWriter::ReportTextWriter(QIODevice &device) : m_out(device) {}

void ReportTextWriter::band(const ReportBandInstance &band)
{
    bool blankAfter = false;
    switch (band.kind) {
    case ReportBandKind::PageHeader:
        if (m_pageHeaderWritten)
            return;
        m_pageHeaderWritten = true;
        blankAfter = true;
        break;
    case ReportBandKind::ColumnHeader:
        if (m_columnHeaderWritten)
            return;
        m_columnHeaderWritten = true;
        break;
    case ReportBandKind::Detail:
    case ReportBandKind::Summary:
        break;
    }
    QStringList lines = bandLines(band);
    if (blankAfter)
        lines << QString();
    for (const QString &line : lines)
        m_out.write(m_encoder.encode(line + u'\n'));
}

void ReportTextWriter::finish()
{
    m_out.flush();
}
