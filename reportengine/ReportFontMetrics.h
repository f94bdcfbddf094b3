#pragma once

#include "reportengine/ReportFont.h"

#include <QStringList>

// The one set of text metrics used by layout, whatever the output: Helvetica's advance widths
// (identical to Arial's and Liberation Sans's; generated at build time from the metric files of
// Nimbus Sans) and Arial's vertical metrics. Characters outside Windows-1252 are measured as '?',
// which is what PDF prints. Lengths are in hundredths of a millimetre.
class ReportFontMetrics
{
public:
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
    ReportFontMetrics() = default;
};
