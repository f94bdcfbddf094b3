#pragma once

#include "db/FbError.h"

#include <QString>
#include <optional>

class SqlConnection;

enum class ModoConexao { Local, Rede, Internet };

// Internet wins when both "web" and "rede" are set.
ModoConexao modoConexao();

// What opening the program's connection in the configured mode came to.
struct ConnectionOutcome {
    ModoConexao mode = ModoConexao::Local;
    bool connected = false;
    // The mode's own words for its failure; a failure that has them ends the program once they
    // are shown (internet mode). Local and network modes have none: their failure is reported
    // with the database's own text and the program goes on, each later query trying again.
    QString message;
    // Why the connection did not open; empty when connected.
    std::optional<fb::Error> cause;
};

// Re-reads the working folder into DiretorioCorrente, closes the connection, sets its
// parameters for the configured mode and opens it. Shows nothing and ends nothing: the caller
// decides what the person sees.
ConnectionOutcome openConfiguredConnection(SqlConnection &connection);
// The same for the database in the folder pasta (absolute), which becomes DiretorioCorrente.
ConnectionOutcome openConfiguredConnection(SqlConnection &connection, const QString &pasta);

// Starts opening the connection in the configured mode ahead of time, on a helper thread, so
// that the engine's start overlaps the building of the windows; its next
// openConfiguredConnection with the same parameters takes that attachment (or its failure) over.
void beginConfiguredConnection(SqlConnection &connection);
