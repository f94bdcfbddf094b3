#pragma once

// Every length of a report is an integer number of hundredths of a millimetre, so that
// positions are exact sums and nothing drifts over thousands of bands.
namespace ReportUnits
{

constexpr int fromMm(double mm)
{
    return int(mm * 100.0 + (mm >= 0 ? 0.5 : -0.5));
}

constexpr double toPoints(double hundredthsOfMm)
{
    return hundredthsOfMm * 72.0 / 2540.0;
}

constexpr double fromPoints(double points)
{
    return points * 2540.0 / 72.0;
}

} // namespace ReportUnits
