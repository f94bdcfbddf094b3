#pragma once

#include <QStringList>

// restore DIR COPY: puts a safety copy (a backup file, as the updates leave beside the database)
// back as DIR/LICITACAO.FDB. Refused while another connection uses the database. The copy is
// restored into a new file first; only when that is whole does it take the database's place, in
// one step, so the database is never half restored. The file it replaces is kept beside it as
// LICITACAO-substituido-AAAA-MM-DD-HHMMSS.FDB. Runs on the machine that holds the database.
int runRestoreCommand(const QStringList &args);
