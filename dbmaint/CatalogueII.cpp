#include "dbmaint/CatalogueII.h"

#include "dbmaint/TotalTriggers.h"
#include "dbmaint/TriggerStatements.h"

QStringList catalogueII()
{
    QStringList catalogue;
    for (const TriggerDefinition &trigger : totalTriggers())
        catalogue << dropTriggerText(trigger) << createTriggerText(trigger);
    return catalogue;
}
