#pragma once

#include "reportengine/ReportFont.h"

#include <QStringList>
#include <array>

// The one set of text metrics used by layout, whatever the output: Helvetica's advance widths
// (identical to Arial's and Liberation Sans's) as libharu carries them, and Arial's vertical
// metrics. Characters outside Windows-1252 are measured as '?', which is what PDF prints.
// Lengths are in hundredths of a millimetre.
class ReportFontMetrics
{
public:
    // Throws ReportExportError when libharu cannot provide the font.
    static const ReportFontMetrics &instance();

    double width(QStringView text, const ReportFont &font) const;
    double ascent(const ReportFont &font) const;
    double lineHeight(const ReportFont &font) const;
    // Breaks at blanks (and at line breaks) so that each line fits width where a word allows;
    // a word longer than width keeps a line of its own.
    QStringList wrap(const QString &text, const ReportFont &font, double width) const;
    // The longest start of text that fits in width: what a column shows of a longer text.
    QString fitting(const QString &text, const ReportFont &font, double width) const;

private:
    ReportFontMetrics();

    std::array<std::array<quint16, 256>, 2> m_widths{}; // [bold][Windows-1252 byte], 1/1000 em
};
