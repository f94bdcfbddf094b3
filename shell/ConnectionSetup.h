#pragma once

#include "session/ConnectionOpening.h"

// Opens dmPrincipal->NimboConnection in the configured mode. Local and network failures leave
// as fb::Error, for the caller's general error box. An internet failure shows its message,
// requests the program's termination and returns false.
bool ConfiguraConexao();
