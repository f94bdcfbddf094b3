#include "dbmaint/AtualizacaoProtegida.h"

#include "db/SqlConnection.h"
#include "dbmaint/CopiaDeSeguranca.h"
#include "dbmaint/SchemaDamage.h"
#include "dbmaint/TextosDaCopia.h"

AtualizacaoProtegida::AtualizacaoProtegida(SqlConnection &connection)
    : m_connection(connection), m_database(connection.param(QStringLiteral("Database"))), m_marca(m_database),
      m_interrompida(m_marca.le())
{
}

AtualizacaoProtegida::~AtualizacaoProtegida()
{
    if (m_marcada)
        m_marca.remove();
}

std::optional<AtualizacaoProtegida::Impedimento> AtualizacaoProtegida::comeca(const QDateTime &agora)
{
    const QString anterior = m_interrompida ? m_interrompida->copia : QString();
    // A fresh attachment to the database as configured now: the copy is made of that one, and an
    // attachment left from earlier parameters would check another database.
    m_connection.reconnect();
    // A damaged database is not copied: the copy that matters is the one from before the damage.
    if (const QStringList danos = schemaDamage(m_connection); !danos.isEmpty())
        return Impedimento{schemaDamageText(danos, m_database, anterior), QString()};
    const QString caminho = CopiaDeSeguranca::caminhoNovo(m_database, agora, anterior);
    try {
        m_copia = CopiaDeSeguranca::faz(m_connection, caminho, anterior).caminho;
    } catch (const fb::Error &error) {
        return Impedimento{textoDaFalhaDaCopia(caminho, error), error.text()};
    }
    const MarcaDeAtualizacao::Conteudo marca =
        m_interrompida ? *m_interrompida : MarcaDeAtualizacao::Conteudo{agora, m_copia};
    if (const QString falha = m_marca.grava(marca); !falha.isEmpty())
        return Impedimento{QStringLiteral("Atenção, não foi possível registrar em %1 que a atualização "
                                          "começou, e ela não foi feita. Nada foi alterado.\n%2")
                               .arg(m_marca.arquivo(), textoDaCopiaFeita(m_copia)),
                           falha};
    m_marcada = true;
    return std::nullopt;
}
