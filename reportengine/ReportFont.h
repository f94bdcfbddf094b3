#pragma once

// Every text of a report is Arial (Liberation Sans on screen, Helvetica in PDF); only the size
// and the weight vary.
struct ReportFont {
    double pointSize = 8;
    bool bold = false;

    friend bool operator==(const ReportFont &, const ReportFont &) = default;
};
