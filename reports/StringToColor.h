#pragma once

#include "reportengine/ReportColour.h"

#include <QString>

// A colour value of the session ("clMoneyGreen", "clSilver", ... or a whole number laid out as
// $00BBGGRR, in decimal or in hexadecimal after "$" or "0x"). Anything else, the empty text
// included, throws std::runtime_error with a message for the user.
ReportColour StringToColor(const QString &text);
