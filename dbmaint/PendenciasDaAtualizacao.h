#pragma once

#include "dbmaint/CatalogueRunner.h"

// What a run of an update left undone, in Portuguese, for the person who ran it: every position
// refused for a reason other than "already so", with that reason and what it leaves in the
// database, and where the run stopped, if it did.
struct PendenciasDaAtualizacao {
    QStringList linhas;   // one per position not applied, "posição 18 (FK_...): motivo; consequência."
    QStringList detalhes; // the database's text for each refused position

    bool vazias() const { return linhas.isEmpty(); }
    // The whole message: a heading naming the update, the lines, and what to do.
    QString texto(const QString &atualizacao) const;

    static PendenciasDaAtualizacao de(const QStringList &catalogue, const CatalogueRun &run);
};
