#include "MissingRequirement.h"

bool everythingRequired()
{
    return qEnvironmentVariableIntValue("ESTOCARIUM_REQUIRE_ALL") != 0;
}
