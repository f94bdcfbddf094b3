#pragma once

#include "reportengine/ReportBandKind.h"
#include "reportengine/ReportColour.h"
#include "reportengine/ReportElementInstance.h"

#include <QRect>
#include <vector>

// One printed band, as its before-print notification left it.
struct ReportBandInstance {
    ReportBandKind kind = ReportBandKind::Detail;
    int record = -1; // the record the band printed for; -1 when the record set is empty
    int page = 1;    // from 1
    QRect area;      // on the page, hundredths of a millimetre
    ReportColour colour;
    std::vector<ReportElementInstance> elements;
};
