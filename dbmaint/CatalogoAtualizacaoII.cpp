#include "dbmaint/CatalogoAtualizacaoII.h"

#include "dbmaint/GatilhosDeTotais.h"
#include "dbmaint/TriggerStatements.h"

QStringList catalogoAtualizacaoII()
{
    QStringList catalogue;
    for (const TriggerDefinition &trigger : gatilhosDeTotais())
        catalogue << dropTriggerText(trigger) << createTriggerText(trigger);
    return catalogue;
}
