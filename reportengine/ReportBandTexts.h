#pragma once

#include "reportengine/ReportBandInstance.h"

#include <vector>

// The text elements of a printed band from left to right: the columns of a row.
namespace ReportBandTexts
{

std::vector<const ReportElementInstance *> inColumnOrder(const ReportBandInstance &band);

} // namespace ReportBandTexts
