#pragma once

#include "dbmaint/MarcaDeAtualizacao.h"

#include <QString>

namespace fb
{
class Error;
}

// The Portuguese texts about the safety copy of a database, shared by the update windows and the
// administrator's tool. database is the connection's database as configured ("server:path" in the
// network modes); copia is a path on the machine that holds the database.

// Where the copy is and the command that puts it back. Without a known copy: where the copies are
// kept.
QString comoRecolocarACopia(const QString &database, const QString &copia);

// Found at start: the last update did not end.
QString textoDaAtualizacaoInterrompida(const QString &database, const MarcaDeAtualizacao::Conteudo &marca);

// The copy could not be taken, so the update was not run.
QString textoDaFalhaDaCopia(const QString &copia, const fb::Error &error);

// A copy was taken: one line naming it.
QString textoDaCopiaFeita(const QString &copia);
