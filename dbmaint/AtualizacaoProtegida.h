#pragma once

#include "dbmaint/MarcaDeAtualizacao.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class SqlConnection;

// What surrounds a schema update (one window's run, or both updates of the tool): before the first
// statement, the database is checked for damage, a safety copy is taken and the marker of a run
// under way is written; when this object goes, the marker is removed. A run never changes a
// database without a copy: when the copy or the marker cannot be made, nothing is sent.
//
// A marker left by a run that did not end is reported by interrompida(); its copy, taken before the
// database was first touched, stays the one named in the new marker and is never rotated away.
class AtualizacaoProtegida
{
public:
    explicit AtualizacaoProtegida(SqlConnection &connection);
    ~AtualizacaoProtegida();
    AtualizacaoProtegida(const AtualizacaoProtegida &) = delete;
    AtualizacaoProtegida &operator=(const AtualizacaoProtegida &) = delete;

    // Why the run may not begin, in Portuguese, with Firebird's text as the detail where there is one.
    struct Impedimento {
        QString mensagem;
        QString detalhe;
    };

    // Opens the connection afresh (a failure leaves as fb::Error), then looks for damage, takes the copy
    // and writes the marker. Nothing when the run may begin.
    std::optional<Impedimento> comeca(const QDateTime &agora = QDateTime::currentDateTime());

    const std::optional<MarcaDeAtualizacao::Conteudo> &interrompida() const { return m_interrompida; }
    // The copy this run took; empty before comeca() took it.
    const QString &copia() const { return m_copia; }
    // The copy to put back should the database be found damaged: the one taken before the run that
    // did not end, or else this run's.
    QString copiaARecolocar() const { return m_interrompida ? m_interrompida->copia : m_copia; }
    const QString &database() const { return m_database; }

private:
    SqlConnection &m_connection;
    QString m_database;
    MarcaDeAtualizacao m_marca;
    std::optional<MarcaDeAtualizacao::Conteudo> m_interrompida;
    QString m_copia;
    bool m_marcada = false;
};
