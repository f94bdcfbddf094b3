#include "session/ConnectionOpening.h"

#include "db/SqlConnection.h"
#include "session/uTotal.h"

namespace
{

// Network and local modes keep the defined user and password.
void defineParameters(SqlConnection &connection, ModoConexao mode)
{
    switch (mode) {
    case ModoConexao::Internet:
        connection.setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        connection.setParam(QStringLiteral("Password"), QString());
        connection.setParam(QStringLiteral("Database"), Rede_Caminho);
        break;
    case ModoConexao::Rede:
        connection.setParam(QStringLiteral("Database"), Rede_IP_NOME + Rede_2_Pontos + DiretorioCorrente +
                                                            QStringLiteral("/LICITACAO.FDB"));
        break;
    case ModoConexao::Local:
        connection.setParam(QStringLiteral("Database"), DiretorioCorrente + QStringLiteral("/LICITACAO.FDB"));
        break;
    }
    connection.setParam(QStringLiteral("SQLDialect"), QStringLiteral("3"));
    connection.setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
}

} // namespace

ModoConexao modoConexao()
{
    if (Sistema_na_WEB)
        return ModoConexao::Internet;
    if (Sistema_na_Rede)
        return ModoConexao::Rede;
    return ModoConexao::Local;
}

namespace
{

// Takes pasta as the folder of the database and sets the connection's parameters for the
// configured mode.
ModoConexao configure(SqlConnection &connection, const QString &pasta)
{
    const ModoConexao mode = modoConexao();
    DiretorioCorrente = pasta;
    connection.close();
    defineParameters(connection, mode);
    return mode;
}

} // namespace

void beginConfiguredConnection(SqlConnection &connection)
{
    configure(connection, diretorioAtual());
    connection.attachInAdvance();
}

ConnectionOutcome openConfiguredConnection(SqlConnection &connection)
{
    return openConfiguredConnection(connection, diretorioAtual());
}

ConnectionOutcome openConfiguredConnection(SqlConnection &connection, const QString &pasta)
{
    ConnectionOutcome outcome;
    outcome.mode = configure(connection, pasta);
    try {
        connection.open();
        outcome.connected = true;
    } catch (const fb::Error &error) {
        outcome.cause = error;
        if (outcome.mode == ModoConexao::Internet)
            outcome.message =
                QStringLiteral("Atenção, procedimento abortado, internet desligada ou problema no "
                               "seu servidor web");
    }
    return outcome;
}
