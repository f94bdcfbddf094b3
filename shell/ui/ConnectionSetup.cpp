#include "shell/ui/ConnectionSetup.h"

#include "shell/DatabaseFailure.h"
#include "widgets/Dialogs.h"
#include "shell/TdmPrincipal.h"
#include "widgets/Termination.h"
#include "db/FbError.h"
#include "shell/uTotal.h"

ModoConexao modoConexao()
{
    if (Sistema_na_WEB)
        return ModoConexao::Internet;
    if (Sistema_na_Rede)
        return ModoConexao::Rede;
    return ModoConexao::Local;
}

bool ConfiguraConexao()
{
    SqlConnection *connection = dmPrincipal->NimboConnection;
    DiretorioCorrente = diretorioAtual();
    connection->close();

    switch (modoConexao()) {
    case ModoConexao::Internet:
        connection->setParam(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
        connection->setParam(QStringLiteral("Password"), QString());
        connection->setParam(QStringLiteral("Database"), Rede_Caminho);
        connection->setParam(QStringLiteral("SQLDialect"), QStringLiteral("3"));
        connection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
        try {
            connection->open();
        } catch (const fb::Error &error) {
            Dialogs::message(nullptr,
                             QStringLiteral("Atenção, procedimento abortado, internet desligada ou "
                                            "problema no seu servidor web"),
                             DatabaseFailure::of(error).explanation());
            requestTermination();
            return false;
        }
        return true;
    case ModoConexao::Rede:
        connection->setParam(QStringLiteral("Database"), Rede_IP_NOME + Rede_2_Pontos + DiretorioCorrente +
                                                             QStringLiteral("/LICITACAO.FDB"));
        break;
    case ModoConexao::Local:
        connection->setParam(QStringLiteral("Database"), DiretorioCorrente + QStringLiteral("/LICITACAO.FDB"));
        break;
    }
    connection->setParam(QStringLiteral("SQLDialect"), QStringLiteral("3"));
    connection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
    connection->open();
    return true;
}
