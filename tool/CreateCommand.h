#pragma once

#include <QStringList>

// create DIR [--users N]: a new LICITACAO.FDB in DIR, ready for the program, and the files a working
// folder needs.
int runCreateCommand(const QStringList &args);
