#include "shell/ConnectionSetup.h"

#include "db/SharedEngine.h"

#include "session/DatabaseFailure.h"
#include "session/TdmPrincipal.h"
#include "widgets/Dialogs.h"
#include "widgets/Termination.h"

bool ConfiguraConexao()
{
    const ConnectionOutcome outcome = openConfiguredConnection(*dmPrincipal->NimboConnection);
    if (outcome.mode == ModoConexao::Local && fb::engineSharing() == fb::EngineSharing::Unshared)
        Dialogs::message(nullptr, fb::unsharedEngineWarning());
    if (outcome.connected)
        return true;
    if (outcome.message.isEmpty())
        throw *outcome.cause;
    Dialogs::message(nullptr, outcome.message, DatabaseFailure::of(*outcome.cause).explanation());
    requestTermination();
    return false;
}
