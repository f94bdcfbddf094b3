#pragma once

#include <QString>

// A colour of the report model: red, green, blue and opacity, each 0 to 255. The engine's own
// rather than Qt GUI's, so that the writers, and estocarium-db with them, run without Qt GUI;
// what paints on a screen or a printer converts it there.
struct ReportColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 255;

    static constexpr ReportColour white() { return {255, 255, 255}; }
    static constexpr ReportColour black() { return {0, 0, 0}; }

    // "#rrggbb", as CSS takes it.
    QString name() const
    {
        return QStringLiteral("#%1").arg((red << 16) | (green << 8) | blue, 6, 16, QLatin1Char('0'));
    }

    friend constexpr bool operator==(const ReportColour &, const ReportColour &) = default;
};
