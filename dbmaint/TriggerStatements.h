#pragma once

#include "dbmaint/TriggerDefinition.h"

QString dropTriggerText(const TriggerDefinition &trigger);
// Lines joined by carriage returns, each ending in a blank and all but the first starting with one;
// ":RT1" and the like are PSQL variables and must reach the server as written.
QString createTriggerText(const TriggerDefinition &trigger);
