#include "reportengine/ReportFontMetrics.h"

#include "codec/Win1252.h"
#include "reportengine/HelveticaWidths.h" // generated in the build folder
#include "reportengine/ReportUnits.h"

namespace
{

// Arial's ascent and descent in 1/1000 em: text sits in its frame as on screen.
constexpr double kAscent = 905;
constexpr double kDescent = 212;

double emToHundredths(double thousandths, const ReportFont &font)
{
    return ReportUnits::fromPoints(thousandths * font.pointSize / 1000.0);
}

} // namespace

const ReportFontMetrics &ReportFontMetrics::instance()
{
    static const ReportFontMetrics metrics;
    return metrics;
}

double ReportFontMetrics::width(QStringView text, const ReportFont &font) const
{
    const auto &widths = kHelveticaWidths[font.bold ? 1 : 0];
    quint64 total = 0;
    for (const QChar c : text) {
        const int byte = fb::Win1252::byteFor(c.unicode());
        total += widths[byte < 0 ? '?' : byte];
    }
    return emToHundredths(double(total), font);
}

double ReportFontMetrics::ascent(const ReportFont &font) const
{
    return emToHundredths(kAscent, font);
}

double ReportFontMetrics::lineHeight(const ReportFont &font) const
{
    return emToHundredths(kAscent + kDescent, font);
}

QStringList ReportFontMetrics::wrap(const QString &text, const ReportFont &font, double maxWidth) const
{
    QStringList lines;
    QString normalised = text;
    normalised.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    for (const QString &paragraph : normalised.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && width(candidate, font) > maxWidth) {
                lines << line;
                line = word;
            } else {
                line = candidate;
            }
        }
        lines << line;
    }
    return lines;
}

QString ReportFontMetrics::fitting(const QString &text, const ReportFont &font, double maxWidth) const
{
    const auto &widths = kHelveticaWidths[font.bold ? 1 : 0];
    // Compared in 1/1000 em, as width() adds them up, so that a text of exactly maxWidth fits.
    const double limit = maxWidth * 1000.0 / ReportUnits::fromPoints(font.pointSize);
    quint64 total = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int byte = fb::Win1252::byteFor(text.at(i).unicode());
        total += widths[byte < 0 ? '?' : byte];
        if (double(total) > limit)
            return text.left(i);
    }
    return text;
}
