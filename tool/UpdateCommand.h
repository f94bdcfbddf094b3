#pragma once

#include <QStringList>

// update DIR: both schema updates on DIR/LICITACAO.FDB, one line per position on stdout.
int runUpdateCommand(const QStringList &args);
