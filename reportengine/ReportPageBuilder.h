#pragma once

#include "reportengine/ReportBandInstance.h"
#include "reportengine/ReportPage.h"

// Turns printed bands into page primitives; the only place where text is positioned.
namespace ReportPageBuilder
{

void appendBand(ReportPage &page, const ReportBandInstance &band);

} // namespace ReportPageBuilder
