#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class SqlConnection;

// The safety copy taken before every schema update: a backup by the engine that holds the database
// (the server's own disk in the network and internet modes), written beside the database as
// "LICITACAO-copia-AAAA-MM-DD-HHMMSS.fbk". Where the database's folder is reachable from this
// machine, the newest kCopiasGuardadas copies are kept (and the one an interrupted update still
// needs), older ones removed; a server's folder this machine does not see is left to its
// administrator.
struct CopiaDeSeguranca {
    static constexpr int kCopiasGuardadas = 3;

    QString caminho;       // the copy, as the engine that wrote it names the file
    QStringList removidas; // older copies removed to keep the last few

    // Takes the copy of the connection's database into caminho; preservada is never removed. A
    // failure leaves as fb::Error, with no copy left behind.
    static CopiaDeSeguranca faz(SqlConnection &connection, const QString &caminho,
                                const QString &preservada = QString());
    // The copy's path for a database path ("server:path" gives the path on the server).
    static QString caminhoPara(const QString &database, const QDateTime &quando);
    // caminhoPara, with "-2", "-3"... added when that file is preservada or exists here: the backup
    // service writes over a file of the same name, and a run begun in the same second as the last
    // one (a rerun right after a run that was killed) must not take the place of its copy.
    static QString caminhoNovo(const QString &database, const QDateTime &quando, const QString &preservada);
    // The copies beside a database file reachable here, newest first.
    static QStringList existentes(const QString &databaseFile);
};
