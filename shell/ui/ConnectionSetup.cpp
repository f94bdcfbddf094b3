#include "shell/ui/ConnectionSetup.h"

#include "shell/DatabaseFailure.h"
#include "shell/TdmPrincipal.h"
#include "widgets/Dialogs.h"
#include "widgets/Termination.h"

bool ConfiguraConexao()
{
    const ConnectionOutcome outcome = openConfiguredConnection(*dmPrincipal->NimboConnection);
    if (outcome.connected)
        return true;
    if (outcome.message.isEmpty())
        throw *outcome.cause;
    Dialogs::message(nullptr, outcome.message, DatabaseFailure::of(*outcome.cause).explanation());
    requestTermination();
    return false;
}
