#pragma once

enum class ModoConexao { Local, Rede, Internet };

// Internet wins when both "web" and "rede" are set.
ModoConexao modoConexao();

// Sets the parameters of dmPrincipal->NimboConnection for the configured mode and opens it.
// Local and network failures leave as fb::Error. An internet failure shows its message,
// requests the program's termination and returns false.
bool ConfiguraConexao();
