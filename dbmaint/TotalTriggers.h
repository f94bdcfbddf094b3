#pragma once

#include "dbmaint/TriggerDefinition.h"

// The fourteen total-keeping triggers, in the order the second update installs them.
QList<TriggerDefinition> totalTriggers();
