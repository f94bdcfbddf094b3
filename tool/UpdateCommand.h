#pragma once

#include <QStringList>

// update DIR [--servidor HOST]: both schema updates on DIR/LICITACAO.FDB (through the Firebird
// server HOST when given, as the network mode reaches it), one line per position on stdout. Exits
// 1, after listing what was left undone, when a position was not applied or the connection failed;
// update II is not run after an update I that the connection stopped. Before anything is sent, a
// safety copy is taken beside the database and named on stderr; without it nothing is run. A
// previous run that did not end is reported first, with its copy and how to put it back.
int runUpdateCommand(const QStringList &args);
