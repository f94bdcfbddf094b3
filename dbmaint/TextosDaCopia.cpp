#include "dbmaint/TextosDaCopia.h"

#include "db/DatabaseFile.h"
#include "db/FbError.h"
#include "session/DatabaseFailure.h"

#include <QFileInfo>
#include <firebird/Interface.h>

namespace
{

// The database file on the machine that holds it.
QFileInfo fileOf(const QString &database)
{
    return QFileInfo(fb::DatabaseFile::locationOf(database).path);
}

} // namespace

QString comoRecolocarACopia(const QString &database, const QString &copia)
{
    const fb::DatabaseFile::Location location = fb::DatabaseFile::locationOf(database);
    const QString where = location.onAServer() ? QStringLiteral("no servidor %1").arg(location.server)
                                               : QStringLiteral("neste computador");
    if (copia.isEmpty())
        return QStringLiteral("As cópias de segurança feitas antes de cada atualização ficam junto ao banco, "
                              "%1, na pasta %2 (%3).")
            .arg(where, fileOf(database).path(),
                 fileOf(database).completeBaseName() + QStringLiteral("-copia-*.fbk"));
    return QStringLiteral(
               "A cópia de segurança feita antes da atualização está %1 em %2. Para recolocá-la, feche o "
               "programa em todas as estações e execute %1: estocarium-db restore %3 %2")
        .arg(where, copia, fileOf(database).path());
}

QString textoDaAtualizacaoInterrompida(const QString &database, const MarcaDeAtualizacao::Conteudo &marca)
{
    return QStringLiteral("Atenção, a última atualização do banco de dados, iniciada em %1, não terminou "
                          "(o programa foi fechado à força ou o computador desligou) e o banco pode ter "
                          "ficado incompleto. Execute a atualização de novo; se ela não puder terminar, "
                          "recoloque a cópia de segurança.\n")
               .arg(marca.inicio.toString(QStringLiteral("dd/MM/yyyy 'às' HH:mm:ss"))) +
           comoRecolocarACopia(database, marca.copia);
}

QString textoDaFalhaDaCopia(const QString &copia, const fb::Error &error)
{
    return QStringLiteral("Atenção, não foi possível fazer a cópia de segurança do banco de dados em %1, "
                          "e a atualização não foi feita: o banco nunca é alterado sem uma cópia. Nada foi "
                          "alterado.\n%2")
        .arg(copia,
             error.hasCode(isc_gbak_open_bkup_error)
                 ? QStringLiteral("O arquivo da cópia não pôde ser criado: confira se a pasta existe e se "
                                  "pode ser gravada pela conta que abre o banco (no servidor, a do "
                                  "Firebird).")
                 : DatabaseFailure::of(error).message);
}

QString textoDaCopiaFeita(const QString &copia)
{
    return QStringLiteral("Cópia de segurança do banco de dados: %1").arg(copia);
}
