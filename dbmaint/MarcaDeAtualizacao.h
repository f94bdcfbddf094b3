#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// A small file that says an update of a database is under way: written before the update's first
// statement and removed when the run ends, whatever it left undone. Found at a later start, it
// means the run never ended (the process killed, the power cut). It lies beside a local database
// ("LICITACAO.FDB.atualizando"); for a database on a server, in this user's state folder
// (~/.local/state/estocarium/, or $XDG_STATE_HOME), since the server's folder may not be seen here.
class MarcaDeAtualizacao
{
public:
    struct Conteudo {
        QDateTime inicio;
        QString copia; // the safety copy taken before the first run that did not end
    };

    explicit MarcaDeAtualizacao(const QString &database);

    const QString &arquivo() const { return m_arquivo; }
    std::optional<Conteudo> le() const;
    // An empty text when written; otherwise why it could not be.
    QString grava(const Conteudo &conteudo) const;
    void remove() const;

private:
    QString m_arquivo;
};
